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

// Waits for the first line a started program writes to a file.
std::string WaitForLine(const fs::path& path) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < end) {
        std::ifstream in(path, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        if (text.find('\n') != std::string::npos)
            return text.substr(0, text.find_first_of("\r\n"));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return "(nothing written)";
}

// (A made-up list cannot stand for "no path" here: Wine gives the desktop's
// path for an item it does not know, and the test would start Explorer.)
TEST(ExplorerTest, NoListOrAnUnknownPathStartsNothing) {
    EXPECT_EQ(ExplorerParametersFor(nullptr, false, true, true), "");
    EXPECT_FALSE(ExplorePidl(nullptr, SW_SHOWNORMAL, false, true, true));
    EXPECT_FALSE(ExplorePath("C:\\nimbra-no-such-folder\\x.txt", SW_SHOWNORMAL, false, true, true));
    EXPECT_FALSE(ShowInFolder("C:\\nimbra-no-such-folder\\x.txt", SW_SHOWNORMAL, {}));
}

// The user's folder browser is cmd.exe writing its arguments to a file.
class FolderBrowserRunTest : public testing::TestWithParam<bool> {};

TEST_P(FolderBrowserRunTest, TheBrowserGetsTheExpandedMacros) {
    TempDir temp;
    const std::string item = PathText(temp.MakeFile("with blank.txt", "x"));
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const TFolderBrowser browser{ToUtf8(system) + "\\cmd.exe",
                                 "/c echo %path%;%filename%;%shortfilename%;100%%> \"" +
                                     PathText(temp.Path() / "marker.txt") + "\""};
    const UINT modeBefore = GetErrorMode();
    if (GetParam()) {
        const testing_support::ScopedBrowserCfg configured(browser.Path, browser.CmdLine);
        ASSERT_TRUE(ShowInFolder(item, SW_HIDE));
    } else {
        ASSERT_TRUE(ShowInFolder(item, SW_HIDE, browser));
    }
    EXPECT_EQ(GetErrorMode(), modeBefore);
    const std::string shortName = ShortPathName(item);
    EXPECT_EQ(shortName.find(' '), std::string::npos) << shortName;
    EXPECT_EQ(WaitForLine(temp.Path() / "marker.txt"),
              PathText(temp.Path()) + ";" + item + ";" + shortName + ";100%");
}

INSTANTIATE_TEST_SUITE_P(Table, FolderBrowserRunTest, testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "Configured" : "Given");
});

TEST(FolderBrowserTest, AMissingProgramOrPathFails) {
    TempDir temp;
    const TFolderBrowser browser{PathText(temp.Path() / "no browser.exe"), "%filename%"};
    EXPECT_FALSE(ShowInFolder(PathText(temp.Path()), SW_HIDE, browser));
    EXPECT_FALSE(RunCommandLine("nimbra-no-such-program.exe", SW_HIDE));
    EXPECT_EQ(ShortPathName("C:\\nimbra-no-such-folder\\x.txt"), "");
}

TEST(OpenWithShellTest, SucceedsOnlyAboveThirtyTwo) {
    TempDir temp;
    // A batch file runs and ends by itself.
    const fs::path marker = temp.Path() / "ran.txt";
    const std::string job =
        PathText(temp.MakeFile("job.bat", "@echo ran> \"" + PathText(marker) + "\"\r\n"));
    EXPECT_TRUE(OpenWithShell(job, SW_HIDE));
    EXPECT_EQ(WaitForLine(marker), "ran");
    // No program is registered for this type: the shell answers 31.
    EXPECT_FALSE(OpenWithShell(PathText(temp.MakeFile("data.nimbra-unknown", "x")), SW_HIDE));
    EXPECT_FALSE(OpenWithShell(PathText(temp.Path() / "missing.txt"), SW_HIDE));
}

TEST(ShowPropertiesTest, TheEntryByOrdinalIsTheObjectPropertiesCall) {
    const HMODULE shell32 = GetModuleHandleW(L"shell32.dll");
    ASSERT_NE(shell32, nullptr);
    const FARPROC byOrdinal = GetProcAddress(shell32, MAKEINTRESOURCEA(178));
    ASSERT_NE(byOrdinal, nullptr);
    EXPECT_EQ(byOrdinal, GetProcAddress(shell32, "SHObjectProperties"));
    // Windows opens a sheet that stays until the user closes it; Wine's call
    // shows nothing and answers true, so only there is it run for real.
    if (RunningUnderWine()) {
        TempDir temp;
        EXPECT_TRUE(ShowProperties(PathText(temp.MakeFile("real.txt", "x"))));
    }
}

TEST(IconTest, TheFileFormNeedsTheFileAndTheTypeFormDoesNot) {
    TempDir temp;
    const std::string real = PathText(temp.MakeFile("real.txt", "x"));
    const std::string ghost = PathText(temp.Path() / "ghost.txt");
    EXPECT_GE(GetFileIconIndex(real), 0);
    EXPECT_EQ(GetFileIconIndex(ghost), -1);
    EXPECT_EQ(GetFileTypeIconIndex(ghost, false), GetFileIconIndex(real));

    const std::string folder = PathText(temp.Path());
    EXPECT_GE(GetFolderIconIndex(), 0);
    EXPECT_GE(GetFolderIconIndex(true), 0);
    EXPECT_EQ(GetFolderIconIndex(), GetFileTypeIconIndex("X:\\nowhere", true));
    EXPECT_EQ(GetFolderIconIndex(), GetFileIconIndex(folder));
    EXPECT_EQ(GetPidlIconIndex(ParsePath(folder).Get()), GetFileIconIndex(folder));
    EXPECT_EQ(GetPidlIconIndex(nullptr), -1);
}

int IconWidth(HIMAGELIST list) {
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(list, &width, &height);
    return width;
}

TEST(ShellImageListTest, ShowsTheSharedSystemListOfTheChosenSize) {
    TShellImageList list(nullptr);
    ASSERT_NE(list.Handle(), nullptr);
    EXPECT_EQ(IconWidth(list.Handle()), GetSystemMetrics(SM_CXSMICON));
    const HIMAGELIST small = list.Handle();
    list.BeginLoading();
    list.SetImageSize(siLarge);
    EXPECT_EQ(list.Handle(), small) << "nothing changes while loading";
    list.Loaded();
    EXPECT_EQ(IconWidth(list.Handle()), GetSystemMetrics(SM_CXICON));
    // Shared: a second list gets the same handle, and the system's list
    // outlives every component that shows it.
    {
        TShellImageList other(nullptr);
        other.SetImageSize(siLarge);
        EXPECT_EQ(other.Handle(), list.Handle());
    }
    EXPECT_GT(ImageList_GetImageCount(list.Handle()), 0);
}

}  // namespace
}  // namespace nimbra
