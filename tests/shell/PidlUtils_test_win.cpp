// ID lists from the real shell (Wine here).
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "base/ComInit.h"
#include "base/Exception.h"
#include "shell/PidlUtils_win.h"
#include "support/TestFolders.h"
#include "support/WineGaps.h"

namespace nimbra {
namespace {

using Microsoft::WRL::ComPtr;
using testing_support::NoteWineGap;
using testing_support::PathText;
using testing_support::RunningUnderWine;
using testing_support::TempDir;

TEST(ShellPidlTest, ParsePathAndBackGiveTheSamePath) {
    TempDir temp;
    const std::string path = PathText(temp.MakeFile("with blank.txt", "x"));
    const TPidlPtr pidl = ParsePath(path);
    EXPECT_GE(PidlItemCount(pidl.Get()), 2u);
    EXPECT_EQ(PidlToPath(pidl.Get()), path);
    EXPECT_EQ(PidlToPathEx(pidl.Get()), path);
    PCItemIdList last = nullptr;
    EXPECT_EQ(PidlToPath(SplitPidl(pidl.Get(), last).Get()), PathText(temp.Path()));
}

TEST(ShellPidlTest, ParseFailureRaisesInOneFormAndGivesNoneInTheOther) {
    const std::string missing = "C:\\nimbra-no-such-folder\\nothing.txt";
    try {
        ParsePath(missing);
        ADD_FAILURE() << "no exception";
    } catch (const EOSError& e) {
        EXPECT_NE(std::string(e.what()).find("ParseDisplayName"), std::string::npos) << e.what();
    }
    TPidlPtr pidl(PidlAlloc(2));
    EXPECT_FALSE(ParsePath(missing, pidl));
    EXPECT_FALSE(pidl);
}

TEST(ShellPidlTest, BindToFolderOfAFolderOrOfTheEmptyList) {
    TempDir temp;
    temp.MakeFile("child.txt", "x");
    const TPidlPtr empty(PidlAlloc(2));
    EXPECT_EQ(BindToFolder(empty.Get()).Get(), &DesktopFolder());

    const ComPtr<IShellFolder> folder = BindToFolder(ParsePath(PathText(temp.Path())).Get());
    // A child parsed relative to the bound folder is one item below it.
    const TPidlPtr child = ParsePath("child.txt", folder.Get());
    EXPECT_EQ(PidlItemCount(child.Get()), 1u);
    EXPECT_THROW(BindToFolder(ParsePath(PathText(temp.Path() / "child.txt")).Get()), EOSError);
}

// The desktop folder is held by the thread's COM scope, so it is released
// while COM still runs, never at static destruction.
TEST(ShellPidlTest, TheDesktopFolderLivesAndEndsWithItsComScope) {
    ComPtr<IShellFolder> probe;
    ASSERT_HRESULT_SUCCEEDED(SHGetDesktopFolder(&probe));
    const auto references = [&] {
        probe->AddRef();
        return probe->Release();
    };
    const ULONG outside = references();
    {
        const TComInitializer scope;
        IShellFolder& desktop = DesktopFolder();
        EXPECT_EQ(&DesktopFolder(), &desktop);
        EXPECT_EQ(&desktop, probe.Get()) << "the shell hands out one desktop folder";
        if (references() == outside && RunningUnderWine())
            NoteWineGap("the desktop folder does not count its references");
        else
            EXPECT_EQ(references(), outside + 1);
    }
    EXPECT_EQ(references(), outside);

    bool raised = false;
    std::thread([&] {
        try {
            DesktopFolder();
        } catch (const EOSError&) {
            raised = true;
        }
    }).join();
    EXPECT_TRUE(raised) << "a thread without COM has no desktop folder";
}

}  // namespace
}  // namespace nimbra
