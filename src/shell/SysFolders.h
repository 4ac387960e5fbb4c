#pragma once

#include <functional>
#include <string>

#include "base/TypInfo.h"

namespace nimbra {

// The special folders of the shell the program knows, in their fixed
// order: the ordinal is the row of the table, and stored settings refer to
// the identifiers by name.
enum TShellFolder : int {
    sfDesktop,
    sfInternet,
    sfPrograms,
    sfControlPanel,
    sfPrinters,
    sfPersonal,
    sfFavorites,
    sfStartup,
    sfRecent,
    sfSendTo,
    sfBitBucket,
    sfStartMenu,
    sfDesktopDirectory,
    sfMyComputer,
    sfNetwork,
    sfNetHood,
    sfFonts,
    sfTemplates,
    sfCommonStartMenu,
    sfCommonPrograms,
    sfCommonStartup,
    sfCommonDesktopDirectory,
    sfAppData,
    sfPrintHood,
    sfAltStartup,
    sfCommonAltStartup,
    sfCommonFavorites,
    sfInternetCache,
    sfCookies,
    sfHistory,
    sfLocalAppData,
    sfCommonAppData,
    sfWindows,
    sfSystem,
    sfProgramFiles,
    sfMyPictures,
    sfProfile,
    sfSystemX86,
    sfProgramFilesX86,
    sfProgramFilesCommon,
    sfProgramFilesCommonX86,
    sfCommonTemplates,
    sfCommonDocuments,
    sfCommonAdminTools,
    sfAdminTools,
    sfConnections,
    sfMyDocuments,
    sfMyMusic,
    sfMyVideo,
    sfCommonMusic,
    sfCommonPictures,
    sfCommonVideo,
    sfResources,
    sfResourcesLocalized,
    sfCommonOemLinks,
    sfCDBurnArea,
    sfProfiles,
    sfComputersNearMe,
};

inline constexpr int kShellFolderCount = sfComputersNearMe + 1;
// The platform's create-if-missing flag (CSIDL_FLAG_CREATE).
inline constexpr int kCsidlFlagCreate = 0x8000;

const TTypeInfo& EnumTypeInfo(TShellFolder);

struct TShellFolderInfo {
    int Code;           // the platform's CSIDL number
    const char* Name;   // built-in display name
    const char* Ident;  // "sfDesktop", ...
};

const TShellFolderInfo& ShellFolderInfo(TShellFolder folder);

int GetShellFolderCSIDL(TShellFolder folder, bool create = false);
// The folder's file-system path, or empty when it has none on this system
// (virtual folders such as sfMyComputer, missing all-users folders). Never
// raises. With create false, asking never creates the folder.
std::string GetShellFolderPath(TShellFolder folder, bool create = false);
bool ShellFolderExists(TShellFolder folder, bool create = false);

// Where special folders are resolved; the platform's way unless replaced.
// Tests point special folders at temporary folders with it.
using TShellFolderResolver = std::function<std::string(TShellFolder folder, bool create)>;
// Installs a resolver (an empty function restores the platform's) and
// returns the one it replaces.
TShellFolderResolver SetShellFolderResolver(TShellFolderResolver resolver);
std::string PlatformShellFolderPath(TShellFolder folder, bool create);

}  // namespace nimbra
