// Special folders as the real shell (Wine here) gives them.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "base/Exception.h"
#include "base/Locale.h"
#include "base/Unicode.h"
#include "shell/PidlUtils_win.h"
#include "shell/ShFolderUtils_win.h"
#include "shell/ShellImageList_win.h"
#include "shell/ShellUtils_win.h"
#include "support/TestFolders.h"

namespace nimbra {
namespace {

using testing_support::PathText;
using testing_support::ShellFolderOverride;
using testing_support::TempDir;

// The rows whose codes are out of ordinal order, and the last one.
TEST(ShellFolderCodeTest, AreThePlatformsCodes) {
    // sfMyDocuments and sfProfiles keep older codes the headers no longer name.
    const std::pair<TShellFolder, int> codes[] = {{sfDesktopDirectory, CSIDL_DESKTOPDIRECTORY},
                                                  {sfAltStartup, CSIDL_ALTSTARTUP},
                                                  {sfLocalAppData, CSIDL_LOCAL_APPDATA},
                                                  {sfCommonAppData, CSIDL_COMMON_APPDATA},
                                                  {sfMyDocuments, 0x000C},
                                                  {sfCommonMusic, CSIDL_COMMON_MUSIC},
                                                  {sfProfiles, 0x003E},
                                                  {sfComputersNearMe, CSIDL_COMPUTERSNEARME}};
    for (const auto& [folder, code] : codes) {
        EXPECT_EQ(GetShellFolderCSIDL(folder), code) << ShellFolderInfo(folder).Ident;
        EXPECT_EQ(GetShellFolderCSIDL(folder, true), code | CSIDL_FLAG_CREATE) << code;
    }
}

std::string WindowsDirectory() {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    return ToUtf8(windows);
}

TEST(ShellFolderPidlTest, FileSystemFoldersAreFoldersWithAListOfTheirPath) {
    for (TShellFolder folder : {sfDesktop, sfPrograms, sfStartMenu, sfFavorites, sfRecent,
                                sfWindows, sfSystem, sfCommonPrograms, sfDesktopDirectory,
                                sfAppData, sfLocalAppData, sfProgramFiles, sfProfile}) {
        const std::string path = GetShellFolderPath(folder);
        ASSERT_FALSE(path.empty()) << ShellFolderInfo(folder).Ident;
        EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(ToWide(path)))) << path;
        const TPidlPtr pidl = GetShellFolderPidl(folder);
        ASSERT_TRUE(pidl) << path;
        EXPECT_TRUE(SameText(PidlToPath(pidl.Get()), path)) << path;
        EXPECT_GE(GetShellFolderIconIndex(folder), 0) << path;
    }
    EXPECT_EQ(GetShellFolderPath(sfWindows), WindowsDirectory());
    EXPECT_TRUE(PidlIsEmpty(GetShellFolderPidl(sfDesktop).Get())) << "the desktop is the root";
}

struct VirtualCase {
    TShellFolder folder;
    const char* virtualPath;
};

class VirtualFolderTest : public testing::TestWithParam<VirtualCase> {};

TEST_P(VirtualFolderTest, HasNoPathButAList) {
    const VirtualCase& c = GetParam();
    EXPECT_FALSE(ShellFolderExists(c.folder));
    const TPidlPtr pidl = GetShellFolderPidl(c.folder);
    ASSERT_TRUE(pidl);
    EXPECT_EQ(PidlToPath(pidl.Get()), "");
    EXPECT_EQ(PidlToPathEx(pidl.Get()), c.virtualPath);
    EXPECT_GE(GetShellFolderIconIndex(c.folder), 0);
    // What ExploreShellFolder gives the file manager.
    EXPECT_EQ(ExplorerParametersFor(ShellFolderIdList(c.folder).Get(), true, true, false),
              std::string("/E,/ROOT,") + c.virtualPath);
}

INSTANTIATE_TEST_SUITE_P(
    Table, VirtualFolderTest,
    testing::Values(VirtualCase{sfMyComputer, "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"},
                    VirtualCase{sfControlPanel,
                                "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\"
                                "::{21EC2020-3AEA-1069-A2DD-08002B30309D}"}),
    [](const auto& info) { return std::string(ShellFolderInfo(info.param.folder).Ident); });

TEST(ShellFolderIdListTest, AFolderWithoutAListFallsBackToItsParsedPath) {
    TShellFolder withoutList = sfDesktop;
    for (int i = 0; i < kShellFolderCount && withoutList == sfDesktop; ++i)
        if (!GetShellFolderPidl(static_cast<TShellFolder>(i)))
            withoutList = static_cast<TShellFolder>(i);
    if (withoutList == sfDesktop)
        GTEST_SKIP() << "every special folder has an ID list on this system";
    EXPECT_FALSE(ShellFolderIdList(withoutList));
    EXPECT_EQ(GetShellFolderIconIndex(withoutList), -1);
    EXPECT_FALSE(ExploreShellFolder(withoutList, SW_SHOWNORMAL, false));

    TempDir temp;
    const ShellFolderOverride override({{withoutList, PathText(temp.Path())}});
    EXPECT_EQ(PidlToPath(ShellFolderIdList(withoutList).Get()), PathText(temp.Path()));
    EXPECT_EQ(GetShellFolderIconIndex(withoutList), GetFolderIconIndex());
}

TEST(SpecialFolderPathTest, ByBareCodeOrTheSystemsError) {
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_WINDOWS), WindowsDirectory());
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_DRIVES), "") << "a virtual folder has no path";
    try {
        GetSpecialFolderPath(0x7F);
        ADD_FAILURE() << "no exception";
    } catch (const EOSError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("SHGetSpecialFolderLocation failed", 0), 0u)
            << e.what();
        EXPECT_NE(e.ErrorCode(), 0u);
    }
}

}  // namespace
}  // namespace nimbra
