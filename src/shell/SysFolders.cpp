#include "shell/SysFolders.h"

#include <array>

namespace nimbra {

namespace {

constexpr std::array<TShellFolderInfo, kShellFolderCount> kShellFolders = {{
    {0, "Desktop", "sfDesktop"},
    {1, "Internet Explorer", "sfInternet"},
    {2, "Programs", "sfPrograms"},
    {3, "Control Panel", "sfControlPanel"},
    {4, "Printers", "sfPrinters"},
    {5, "My Documents", "sfPersonal"},
    {6, "Favorites", "sfFavorites"},
    {7, "Startup Group", "sfStartup"},
    {8, "Recent Files", "sfRecent"},
    {9, "Send To", "sfSendTo"},
    {10, "Recycle Bin", "sfBitBucket"},
    {11, "Start Menu", "sfStartMenu"},
    {16, "Desktop Directory", "sfDesktopDirectory"},
    {17, "My Computer", "sfMyComputer"},
    {18, "Network Neighborhood", "sfNetwork"},
    {19, "My Network Places", "sfNetHood"},
    {20, "Fonts", "sfFonts"},
    {21, "Templates", "sfTemplates"},
    {22, "Common Start Menu", "sfCommonStartMenu"},
    {23, "Common Programs", "sfCommonPrograms"},
    {24, "Common Startup Group", "sfCommonStartup"},
    {25, "Common Desktop", "sfCommonDesktopDirectory"},
    {26, "Application Data", "sfAppData"},
    {27, "My Printers", "sfPrintHood"},
    {29, "User's nonlocalized Startup program group", "sfAltStartup"},
    {30, "Common Alt Startup", "sfCommonAltStartup"},
    {31, "Common Favorites", "sfCommonFavorites"},
    {32, "Temporary Internet Files", "sfInternetCache"},
    {33, "Cookies", "sfCookies"},
    {34, "History", "sfHistory"},
    {28, "Local Application Data", "sfLocalAppData"},
    {35, "Common Application Data", "sfCommonAppData"},
    {36, "Windows Directory", "sfWindows"},
    {37, "Windows System Directory", "sfSystem"},
    {38, "Program Files", "sfProgramFiles"},
    {39, "My Pictures", "sfMyPictures"},
    {40, "User Profile", "sfProfile"},
    {41, "x86 System Directory (RISC)", "sfSystemX86"},
    {42, "x86 Program Files (RISC)", "sfProgramFilesX86"},
    {43, "Common Program Files", "sfProgramFilesCommon"},
    {44, "x86 Common Program Files (RISC)", "sfProgramFilesCommonX86"},
    {45, "Common Templates", "sfCommonTemplates"},
    {46, "Common Documents", "sfCommonDocuments"},
    {47, "Common Administrative Tools", "sfCommonAdminTools"},
    {48, "Administrative Tools", "sfAdminTools"},
    {49, "Network and Dial-up Connections", "sfConnections"},
    {12, "My Documents Shell Folder", "sfMyDocuments"},
    {13, "My Music", "sfMyMusic"},
    {14, "My Video", "sfMyVideo"},
    {53, "Common Music", "sfCommonMusic"},
    {54, "Common Pictures", "sfCommonPictures"},
    {55, "Common Video", "sfCommonVideo"},
    {56, "System resources", "sfResources"},
    {57, "Localized resources", "sfResourcesLocalized"},
    {58, "Common OEM links", "sfCommonOemLinks"},
    {59, "CD Burn Area", "sfCDBurnArea"},
    {62, "User Profiles", "sfProfiles"},
    {61, "Computers Near Me", "sfComputersNearMe"},
}};

TShellFolderResolver& CurrentResolver() {
    static TShellFolderResolver resolver;
    return resolver;
}

}  // namespace

const TTypeInfo& EnumTypeInfo(TShellFolder) {
    static const TTypeInfo info = [] {
        TTypeInfo t;
        t.Name = "TShellFolder";
        t.Kind = TTypeKind::tkEnumeration;
        for (const TShellFolderInfo& row : kShellFolders)
            t.Names.emplace_back(row.Ident);
        t.MaxValue = kShellFolderCount - 1;
        return t;
    }();
    return info;
}

const TShellFolderInfo& ShellFolderInfo(TShellFolder folder) {
    return kShellFolders.at(static_cast<std::size_t>(folder));
}

int GetShellFolderCSIDL(TShellFolder folder, bool create) {
    return ShellFolderInfo(folder).Code | (create ? kCsidlFlagCreate : 0);
}

std::string GetShellFolderPath(TShellFolder folder, bool create) {
    if (static_cast<int>(folder) < 0 || static_cast<int>(folder) >= kShellFolderCount)
        return {};
    const TShellFolderResolver& resolver = CurrentResolver();
    return resolver ? resolver(folder, create) : PlatformShellFolderPath(folder, create);
}

bool ShellFolderExists(TShellFolder folder, bool create) {
    return !GetShellFolderPath(folder, create).empty();
}

TShellFolderResolver SetShellFolderResolver(TShellFolderResolver resolver) {
    TShellFolderResolver previous = std::move(CurrentResolver());
    CurrentResolver() = std::move(resolver);
    return previous;
}

}  // namespace nimbra
