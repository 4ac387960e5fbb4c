// ID lists from the real shell (Wine here).
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/Exception.h"
#include "base/Unicode.h"
#include "shell/PidlUtils_win.h"
#include "support/TestFolders.h"

namespace nimbra {
namespace {

using testing_support::PathText;
using testing_support::TempDir;

TPidlPtr SpecialFolder(int csidl) {
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &pidl)))
        return {};
    return TPidlPtr(FromShellPidl(pidl));
}

TEST(ShellPidlTest, ParsePathAndBackGiveTheSamePath) {
    TempDir temp;
    const std::filesystem::path file = temp.Path() / "with blank.txt";
    std::ofstream(file) << "x";
    const std::string path = PathText(temp.Path() / "with blank.txt");
    TPidlPtr pidl = ParsePath(path);
    ASSERT_TRUE(pidl);
    EXPECT_GE(PidlItemCount(pidl.Get()), 2u);
    EXPECT_EQ(PidlToPath(pidl.Get()), path);
    EXPECT_EQ(PidlToPathEx(pidl.Get()), path);

    PCItemIdList last = nullptr;
    TPidlPtr parent = SplitPidl(pidl.Get(), last);
    EXPECT_EQ(PidlToPath(parent.Get()), PathText(temp.Path()));
}

TEST(ShellPidlTest, ParseFailureRaisesInOneFormAndGivesNoneInTheOther) {
    const std::string missing = "C:\\nimbra-no-such-folder\\nothing.txt";
    EXPECT_THROW(ParsePath(missing), EOSError);
    try {
        ParsePath(missing);
    } catch (const EOSError& e) {
        EXPECT_NE(std::string(e.what()).find("ParseDisplayName"), std::string::npos) << e.what();
    }
    TPidlPtr pidl(PidlAlloc(2));
    EXPECT_FALSE(ParsePath(missing, pidl));
    EXPECT_FALSE(pidl);
}

TEST(ShellPidlTest, BindToFolderOfAnEmptyListIsTheParentItself) {
    TPidlPtr empty(PidlAlloc(2));
    auto desktop = BindToFolder(empty.Get());
    EXPECT_EQ(desktop.Get(), &DesktopFolder());
}

TEST(ShellPidlTest, BindToFolderListsTheFolder) {
    TempDir temp;
    temp.MakeFile("child.txt", "x");
    TPidlPtr pidl = ParsePath(PathText(temp.Path()));
    auto folder = BindToFolder(pidl.Get());
    ASSERT_NE(folder.Get(), nullptr);
    // A child parsed relative to the bound folder gives the child's path.
    TPidlPtr child = ParsePath("child.txt", folder.Get());
    ASSERT_TRUE(child);
    EXPECT_EQ(PidlItemCount(child.Get()), 1u);
    EXPECT_THROW(BindToFolder(ParsePath(PathText(temp.Path() / "child.txt")).Get()), EOSError);
}

TEST(ShellPidlTest, TheComputerFolderHasAVirtualPath) {
    TPidlPtr computer = SpecialFolder(CSIDL_DRIVES);
    ASSERT_TRUE(computer);
    EXPECT_EQ(PidlToPath(computer.Get()), "");
    EXPECT_EQ(PidlToPathEx(computer.Get()), "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
}

TEST(ShellPidlTest, TheControlPanelHasAVirtualPathBelowTheComputer) {
    TPidlPtr controls = SpecialFolder(CSIDL_CONTROLS);
    ASSERT_TRUE(controls);
    EXPECT_EQ(PidlToPath(controls.Get()), "");
    EXPECT_EQ(PidlToPathEx(controls.Get()),
              "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\"
              "::{21EC2020-3AEA-1069-A2DD-08002B30309D}");
}

}  // namespace
}  // namespace nimbra
