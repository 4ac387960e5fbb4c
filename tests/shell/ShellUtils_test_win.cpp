// Shell operations against the real shell (Wine here). Nothing here opens a
// folder window: the file manager's parameters are checked as built, and the
// programs that do start are ones that end by themselves.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>

#include "base/Unicode.h"
#include "shell/PidlUtils_win.h"
#include "shell/ShellImageList_win.h"
#include "shell/ShellUtils_win.h"
#include "support/ScopedBrowserCfg.h"
#include "support/TestFolders.h"
#include "support/WineGaps.h"

namespace nimbra {
namespace {

using testing_support::PathText;
using testing_support::RunningUnderWine;
using testing_support::TempDir;

namespace fs = std::filesystem;

// Waits for a file that a started program writes, and gives its text.
std::string WaitForFile(const fs::path& path) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < end) {
        std::ifstream in(path, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (text.find('\n') != std::string::npos)
            return text.substr(0, text.find_first_of("\r\n"));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return "(nothing written)";
}

std::string SystemFile(const char* name) {
    wchar_t folder[MAX_PATH];
    GetSystemDirectoryW(folder, MAX_PATH);
    return ToUtf8(folder) + "\\" + name;
}

TEST(ExplorerTest, APathWithBlanksIsSelectedInQuotes) {
    TempDir temp;
    temp.MakeFile("my file.txt", "x");
    TPidlPtr pidl = ParsePath(PathText(temp.Path() / "my file.txt"));
    EXPECT_EQ(ExplorerParametersFor(pidl.Get(), false, true, true),
              "/E,/SELECT,\"" + PathText(temp.Path() / "my file.txt") + "\"");
    EXPECT_EQ(ExplorerParametersFor(pidl.Get(), true, false, false),
              "/ROOT,\"" + PathText(temp.Path() / "my file.txt") + "\"");
}

// (A made-up list cannot stand for "no path" here: Wine gives the desktop's
// path for an item it does not know, and the test would start Explorer.)
TEST(ExplorerTest, NoListStartsNothing) {
    EXPECT_EQ(ExplorerParametersFor(nullptr, false, true, true), "");
    EXPECT_FALSE(ExplorePidl(nullptr, SW_SHOWNORMAL, false, true, true));
}

TEST(ExplorerTest, APathThatCannotBeParsedStartsNothing) {
    EXPECT_FALSE(ExplorePath("C:\\nimbra-no-such-folder\\x.txt", SW_SHOWNORMAL, false, true, true));
    EXPECT_FALSE(ShowInFolder("C:\\nimbra-no-such-folder\\x.txt", SW_SHOWNORMAL, {}));
}

// The user's browser is cmd.exe writing its arguments to a file.
class FolderBrowserRunTest : public testing::Test {
  protected:
    void SetUp() override { temp.MakeFile("with blank.txt", "x"); }

    std::string Item() const { return PathText(temp.Path() / "with blank.txt"); }
    TFolderBrowser Browser() const {
        return {SystemFile("cmd.exe"), "/c echo %path%;%filename%;%shortfilename%;100%%> \"" +
                                           PathText(temp.Path() / "marker.txt") + "\""};
    }
    void ExpectArguments() const {
        const std::string shortName = ShortPathName(Item());
        EXPECT_FALSE(shortName.empty());
        EXPECT_EQ(shortName.find(' '), std::string::npos) << shortName;
        EXPECT_EQ(WaitForFile(temp.Path() / "marker.txt"),
                  PathText(temp.Path()) + ";" + Item() + ";" + shortName + ";100%");
    }

    TempDir temp;
};

TEST_F(FolderBrowserRunTest, TheUsersBrowserGetsTheExpandedMacros) {
    const UINT modeBefore = GetErrorMode();
    ASSERT_TRUE(ShowInFolder(Item(), SW_HIDE, Browser()));
    EXPECT_EQ(GetErrorMode(), modeBefore);
    ExpectArguments();
}

TEST_F(FolderBrowserRunTest, TheConfiguredBrowserIsUsed) {
    const TFolderBrowser browser = Browser();
    const testing_support::ScopedBrowserCfg scoped(browser.Path, browser.CmdLine);
    ASSERT_TRUE(ShowInFolder(Item(), SW_HIDE));
    ExpectArguments();
}

TEST(FolderBrowserTest, AMissingBrowserProgramFails) {
    TempDir temp;
    const TFolderBrowser browser{PathText(temp.Path() / "no browser.exe"), "%filename%"};
    EXPECT_FALSE(ShowInFolder(PathText(temp.Path()), SW_HIDE, browser));
    EXPECT_FALSE(RunCommandLine("nimbra-no-such-program.exe", SW_HIDE));
}

TEST(FolderBrowserTest, AMissingPathHasNoShortForm) {
    EXPECT_EQ(ShortPathName("C:\\nimbra-no-such-folder\\x.txt"), "");
}

TEST(OpenWithShellTest, SucceedsOnlyAboveThirtyTwo) {
    TempDir temp;
    // A batch file runs and ends by itself.
    const fs::path marker = temp.Path() / "ran.txt";
    std::ofstream(temp.Path() / "job.bat") << "@echo ran> \"" << PathText(marker) << "\"\r\n";
    EXPECT_TRUE(OpenWithShell(PathText(temp.Path() / "job.bat"), SW_HIDE));
    EXPECT_EQ(WaitForFile(marker), "ran");
    // No program is registered for this type: the shell answers 31.
    temp.MakeFile("data.nimbra-unknown", "x");
    EXPECT_FALSE(OpenWithShell(PathText(temp.Path() / "data.nimbra-unknown"), SW_HIDE));
    EXPECT_FALSE(OpenWithShell(PathText(temp.Path() / "missing.txt"), SW_HIDE));
}

TEST(ShowPropertiesTest, TheEntryByOrdinalIsTheObjectPropertiesCall) {
    const HMODULE shell32 = GetModuleHandleW(L"shell32.dll");
    ASSERT_NE(shell32, nullptr);
    const FARPROC byOrdinal = GetProcAddress(shell32, MAKEINTRESOURCEA(178));
    ASSERT_NE(byOrdinal, nullptr);
    EXPECT_EQ(byOrdinal, GetProcAddress(shell32, "SHObjectProperties"));
}

TEST(ShowPropertiesTest, GivesTheCallsResult) {
    // Windows opens a sheet that stays until the user closes it; Wine's call
    // shows nothing and answers true, so only there is it run for real.
    if (!RunningUnderWine())
        GTEST_SKIP() << "would leave a properties sheet open";
    TempDir temp;
    temp.MakeFile("real.txt", "x");
    EXPECT_TRUE(ShowProperties(PathText(temp.Path() / "real.txt")));
}

TEST(IconTest, TheFileFormNeedsTheFileAndTheTypeFormDoesNot) {
    TempDir temp;
    temp.MakeFile("real.txt", "x");
    EXPECT_GE(GetFileIconIndex(PathText(temp.Path() / "real.txt")), 0);
    EXPECT_EQ(GetFileIconIndex(PathText(temp.Path() / "ghost.txt")), -1);
    EXPECT_GE(GetFileTypeIconIndex(PathText(temp.Path() / "ghost.txt"), false), 0);
    EXPECT_EQ(GetFileTypeIconIndex(PathText(temp.Path() / "ghost.txt"), false),
              GetFileIconIndex(PathText(temp.Path() / "real.txt")));
}

TEST(IconTest, FoldersAndIdLists) {
    TempDir temp;
    EXPECT_GE(GetFolderIconIndex(), 0);
    EXPECT_EQ(GetFolderIconIndex(), GetFileTypeIconIndex("X:\\nowhere", true));
    EXPECT_EQ(GetFolderIconIndex(), GetFileIconIndex(PathText(temp.Path())));
    EXPECT_GE(GetFolderIconIndex(true), 0);
    TPidlPtr pidl = ParsePath(PathText(temp.Path()));
    EXPECT_EQ(GetPidlIconIndex(pidl.Get()), GetFileIconIndex(PathText(temp.Path())));
    EXPECT_EQ(GetPidlIconIndex(nullptr), -1);
}

TEST(ShellImageListTest, ShowsTheSharedSystemListOfTheChosenSize) {
    TShellImageList list(nullptr);
    ASSERT_NE(list.Handle(), nullptr);
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(list.Handle(), &width, &height);
    EXPECT_EQ(width, GetSystemMetrics(SM_CXSMICON));
    const HIMAGELIST small = list.Handle();
    list.SetImageSize(siLarge);
    ASSERT_NE(list.Handle(), nullptr);
    EXPECT_NE(list.Handle(), small);
    ImageList_GetIconSize(list.Handle(), &width, &height);
    EXPECT_EQ(width, GetSystemMetrics(SM_CXICON));
    // Shared: a second list gets the same handle, and the system's list
    // outlives every component that shows it.
    {
        TShellImageList other(nullptr);
        other.SetImageSize(siLarge);
        EXPECT_EQ(other.Handle(), list.Handle());
    }
    EXPECT_GT(ImageList_GetImageCount(list.Handle()), 0);
}

TEST(ShellImageListTest, WaitsForTheEndOfLoading) {
    TShellImageList list(nullptr);
    const HIMAGELIST small = list.Handle();
    list.BeginLoading();
    list.SetImageSize(siLarge);
    EXPECT_EQ(list.Handle(), small);
    list.Loaded();
    EXPECT_NE(list.Handle(), small);
}

}  // namespace
}  // namespace nimbra
