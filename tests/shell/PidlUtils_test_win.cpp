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
        return nullptr;
    return TPidlPtr(FromShellPidl(pidl));
}

TEST(ShellPidlTest, ParsePathAndBackGiveTheSamePath) {
    TempDir temp;
    const std::filesystem::path file = temp.Path() / "with blank.txt";
    std::ofstream(file) << "x";
    const std::string path = PathText(temp.Path() / "with blank.txt");
    TPidlPtr pidl = ParsePath(path);
    ASSERT_NE(pidl, nullptr);
    EXPECT_GE(PidlItemCount(pidl.get()), 2u);
    EXPECT_EQ(PidlToPath(pidl.get()), path);
    EXPECT_EQ(PidlToPathEx(pidl.get()), path);

    PCItemIdList last = nullptr;
    TPidlPtr parent = SplitPidl(pidl.get(), last);
    EXPECT_EQ(PidlToPath(parent.get()), PathText(temp.Path()));
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
    EXPECT_EQ(pidl, nullptr);
}

TEST(ShellPidlTest, BindToFolderOfAnEmptyListIsTheParentItself) {
    TPidlPtr empty(PidlAlloc(2));
    auto desktop = BindToFolder(empty.get());
    EXPECT_EQ(desktop.Get(), &DesktopFolder());
}

TEST(ShellPidlTest, BindToFolderListsTheFolder) {
    TempDir temp;
    temp.MakeFile("child.txt", "x");
    TPidlPtr pidl = ParsePath(PathText(temp.Path()));
    auto folder = BindToFolder(pidl.get());
    ASSERT_NE(folder.Get(), nullptr);
    // A child parsed relative to the bound folder gives the child's path.
    TPidlPtr child = ParsePath("child.txt", folder.Get());
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(PidlItemCount(child.get()), 1u);
    EXPECT_THROW(BindToFolder(ParsePath(PathText(temp.Path() / "child.txt")).get()), EOSError);
}

TEST(ShellPidlTest, TheComputerFolderHasAVirtualPath) {
    TPidlPtr computer = SpecialFolder(CSIDL_DRIVES);
    ASSERT_NE(computer, nullptr);
    EXPECT_EQ(PidlToPath(computer.get()), "");
    EXPECT_EQ(PidlToPathEx(computer.get()), "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
}

TEST(ShellPidlTest, TheControlPanelHasAVirtualPathBelowTheComputer) {
    TPidlPtr controls = SpecialFolder(CSIDL_CONTROLS);
    ASSERT_NE(controls, nullptr);
    EXPECT_EQ(PidlToPath(controls.get()), "");
    EXPECT_EQ(PidlToPathEx(controls.get()),
              "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\"
              "::{21EC2020-3AEA-1069-A2DD-08002B30309D}");
}

}  // namespace
}  // namespace nimbra
