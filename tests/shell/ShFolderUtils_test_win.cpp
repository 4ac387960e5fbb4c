// Special folders as the real shell (Wine here) gives them.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

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

TEST(ShellFolderPidlTest, FileSystemFoldersGiveAListOfTheirPath) {
    for (TShellFolder folder : {sfDesktop, sfPrograms, sfStartMenu, sfFavorites, sfRecent,
                                sfWindows, sfCommonPrograms, sfDesktopDirectory}) {
        const TPidlPtr pidl = GetShellFolderPidl(folder);
        ASSERT_TRUE(pidl) << ShellFolderInfo(folder).Ident;
        EXPECT_TRUE(SameText(PidlToPath(pidl.Get()), GetShellFolderPath(folder)))
            << ShellFolderInfo(folder).Ident;
        EXPECT_GE(GetShellFolderIconIndex(folder), 0) << ShellFolderInfo(folder).Ident;
    }
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
                                "::{21EC2020-3AEA-1069-A2DD-08002B30309D}"},
                    VirtualCase{sfBitBucket, "::{645FF040-5081-101B-9F08-00AA002F954E}"},
                    VirtualCase{sfNetwork, "::{208D2C60-3AEA-1069-A2D7-08002B30309D}"},
                    VirtualCase{sfInternet, "::{871C5380-42A0-1069-A2EA-08002B30309D}"}),
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
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_WINDOWS), ToUtf8(windows));
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
