// The search window as a user meets it: the real nimbra.exe, real keys, the
// list read from outside.
#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "base/Unicode.h"
#include "e2e/NimbraDriver.h"
#include "shell/LnkUtils.h"
#include "utils/ConfigUtils.h"

namespace nimbra::e2e {
namespace {

namespace fs = std::filesystem;

constexpr char kFramePath[] = "NimbraApp.NimbraFrame1.";

void Touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "x";
}

// A dialog box of the program (a message box), or nullptr.
HWND DialogOf(const TNimbraProcess& nimbra) {
    for (HWND box = FindWindowW(L"#32770", nullptr); box != nullptr;
         box = FindWindowExW(nullptr, box, L"#32770", nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(box, &process);
        if (process == nimbra.ProcessId() && IsWindowVisible(box))
            return box;
    }
    return nullptr;
}

// Makes `files` files in the folder, renames each, then deletes them all.
void Storm(const fs::path& folder, int files) {
    const auto name = [&](int i, const char* extension) {
        return folder / ("storm " + std::to_string(i) + extension);
    };
    for (int i = 0; i < files; ++i)
        std::ofstream(name(i, ".txt")).put('x');
    for (int i = 0; i < files; ++i)
        fs::rename(name(i, ".txt"), name(i, ".tmp"));
    for (int i = 0; i < files; ++i)
        fs::remove(name(i, ".tmp"));
}

// Dates every file and folder below `root` back to 2020, so that only what
// is made afterwards counts as fresh.
void MakeOld(const fs::path& root) {
    SYSTEMTIME old{2020, 1, 3, 15, 12, 0, 0, 0};
    FILETIME time;
    SystemTimeToFileTime(&old, &time);
    std::vector<fs::path> paths{root};
    for (const auto& entry : fs::recursive_directory_iterator(root))
        paths.push_back(entry.path());
    for (const fs::path& path : paths) {
        const HANDLE handle =
            CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            SetFileTime(handle, &time, &time, &time);
            CloseHandle(handle);
        }
    }
}

class SearchWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("nimbra-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        const fs::path programs = root_ / "Programs";
        const fs::path documents = root_ / "Documents";
        fs::create_directories(programs / "notepad tools");
        Shortcut(programs, "Quartz Alpha", "alpha");
        Shortcut(programs, "Quartz Editor", "editor");
        Shortcut(programs / "notepad tools", "Calculator", "calc");
        Touch(documents / "Notes on the pad.txt");
        Touch(documents / L"Caf\u00e9 menu.txt");
        Touch(documents / L"\u65e5\u672c\u8a9e\u30e1\u30e2.txt");
        Touch(documents / "deep" / "er" / "still" / "Report 2026.docx");
        std::ofstream(root_ / "Google.url")
            << "[InternetShortcut]\r\nURL=https://www.google.com/\r\n";
        ResetSettings(root_);
    }

    void TearDown() override {
        nimbra_.reset();
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    // A shortcut that makes the marker program write `mark` into the
    // launch file.
    void Shortcut(const fs::path& folder, const std::string& title, const std::string& mark) {
        ASSERT_TRUE(CreateLnk(ToUtf8(folder.wstring()), title + ".lnk",
                              ToUtf8((ProgramFolder() / "e2e_marker.exe").wstring()),
                              mark + " \"" + ToUtf8(LaunchFile().wstring()) + "\""));
    }

    fs::path LaunchFile() const { return root_ / "launched.txt"; }

    std::string Launched() const {
        std::ifstream file(LaunchFile());
        std::string mark;
        file >> mark;
        return mark;
    }

    TNimbraProcess& Start() {
        nimbra_ = std::make_unique<TNimbraProcess>();
        nimbra_->Activate();
        return *nimbra_;
    }

    std::vector<std::string> BoldTitles() const {
        std::vector<std::string> titles;
        for (const TRow& row : nimbra_->Rows())
            if (row.Bold)
                titles.push_back(row.Title);
        return titles;
    }

    fs::path root_;
    std::unique_ptr<TNimbraProcess> nimbra_;
};

TEST_F(SearchWindowTest, TypingFiltersAndBoldsTheMatchUnderItsFolders) {
    TNimbraProcess& nimbra = Start();
    const int everything = nimbra.RowCount();
    nimbra.Type(L"report");
    ASSERT_TRUE(nimbra.WaitFor([&] { return nimbra.RowCount() == 6; }));
    const std::vector<TRow> rows = nimbra.Rows();
    const std::vector<std::string> titles{
        ToUtf8(root_.filename().wstring()), "Documents", "deep", "er", "still", "Report 2026.docx"};
    for (std::size_t i = 0; i < titles.size(); ++i) {
        EXPECT_EQ(rows[i].Title, titles[i]);
        EXPECT_EQ(rows[i].Bold, i + 1 == titles.size()) << titles[i];
    }
    // The Path column starts with the folder's title: for a plain folder,
    // the folder itself.
    EXPECT_EQ(rows[5].Path,
              ToUtf8(root_.wstring()) + "\\Documents\\deep\\er\\still\\Report 2026.docx");
    EXPECT_EQ(nimbra.SelectedRow(), 5);  // auto-scroll selects the match
    EXPECT_LT(6, everything);
    nimbra.Screenshot(ScreenshotFolder() / "search-typed.png");
}

TEST_F(SearchWindowTest, WordsMatchInAnyOrderAndInAnyScript) {
    TNimbraProcess& nimbra = Start();
    nimbra.Type(L"pad note");
    // In catalogue order: the Documents folder comes before Programs.
    EXPECT_EQ(BoldTitles(), (std::vector<std::string>{"Notes on the pad.txt", "notepad tools"}));
    SendMessageW(nimbra.Control(std::string(kFramePath) + "Edit1"), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L""));
    nimbra.Type(L"CAF\u00c9");
    EXPECT_EQ(nimbra.EditText(), "CAF\xC3\x89");
    EXPECT_EQ(BoldTitles(), (std::vector<std::string>{"Caf\xC3\xA9 menu.txt"}));
    SendMessageW(nimbra.Control(std::string(kFramePath) + "Edit1"), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L""));
    nimbra.Type(L"\u672c\u8a9e");
    EXPECT_EQ(BoldTitles(),
              (std::vector<std::string>{
                  "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x83\xA1\xE3\x83\xA2.txt"}));
}

TEST_F(SearchWindowTest, ArrowKeysInTheInputBoxMoveTheListButNotWithShift) {
    TNimbraProcess& nimbra = Start();
    ASSERT_EQ(nimbra.SelectedRow(), 0);
    nimbra.Press(VK_DOWN);
    EXPECT_EQ(nimbra.SelectedRow(), 1);
    nimbra.Press(VK_NEXT);
    const int afterPageDown = nimbra.SelectedRow();
    EXPECT_GT(afterPageDown, 1);
    nimbra.Press(VK_DOWN, true);  // Shift+Down selects text instead
    EXPECT_EQ(nimbra.SelectedRow(), afterPageDown);
    nimbra.Press(VK_HOME);
    EXPECT_EQ(nimbra.SelectedRow(), 0);
}

TEST_F(SearchWindowTest, ARequestTypedWithEnterInOneBurstLaunchesTheWholeMatch) {
    TNimbraProcess& nimbra = Start();
    // "quartz" alone first selects Quartz Alpha; the whole request means
    // Quartz Editor.
    nimbra.Burst(L"quartz ed", VK_RETURN);
    ASSERT_TRUE(nimbra.WaitFor([&] { return fs::exists(LaunchFile()); }, 15000))
        << nimbra.EditText() << " / " << nimbra.RowCount() << " rows, selected "
        << nimbra.SelectedRow();
    nimbra.WaitFor([&] { return !Launched().empty(); }, 3000);
    EXPECT_EQ(Launched(), "editor");
}

TEST_F(SearchWindowTest, CtrlBackspaceEmptiesTheRequestAndShowsEverything) {
    TNimbraProcess& nimbra = Start();
    const int everything = nimbra.RowCount();
    nimbra.Type(L"calc");
    ASSERT_LT(nimbra.RowCount(), everything);
    // Windows sends Ctrl+Backspace as the character 127; Wine sends 8, so
    // the character is posted as Windows would send it.
    PostMessageW(nimbra.Control(std::string(kFramePath) + "Edit1"), WM_CHAR, 127, 1);
    nimbra.Settle();
    EXPECT_EQ(nimbra.EditText(), "");
    EXPECT_EQ(nimbra.RowCount(), everything);
}

TEST_F(SearchWindowTest, UncheckingTheOnlyFolderEmptiesAndGreysTheListAndCheckingRescans) {
    TNimbraProcess& nimbra = Start();
    const int everything = nimbra.RowCount();
    ASSERT_TRUE(nimbra.MenuCommand({"&View", "&Include folders", "&Test"}));
    // The rescan reads the disk in the background: the rows follow shortly.
    EXPECT_TRUE(nimbra.WaitFor([&] { return nimbra.RowCount() == 0; }));
    EXPECT_FALSE(nimbra.ListEnabled());
    nimbra.Screenshot(ScreenshotFolder() / "search-no-folders.png");
    Touch(root_ / "Added while unwatched.txt");
    ASSERT_TRUE(nimbra.MenuCommand({"&View", "&Include folders", "&Test"}));
    EXPECT_TRUE(nimbra.ListEnabled());
    EXPECT_TRUE(nimbra.WaitFor([&] { return nimbra.RowCount() == everything + 1; }))
        << nimbra.RowCount();
}

TEST_F(SearchWindowTest, TenFilesMadeWithinASecondCauseOneRescanKeepingTheSelection) {
    TNimbraProcess& nimbra = Start();
    nimbra.Type(L"calc");
    SendMessageW(nimbra.Control(std::string(kFramePath) + "Edit1"), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L""));
    nimbra.Settle();
    const int before = nimbra.RowCount();
    nimbra.Press(VK_DOWN);
    nimbra.Press(VK_DOWN);
    const std::string selected = nimbra.Row(nimbra.SelectedRow()).Title;
    // In the included folder itself: Wine reports no changes in subfolders
    // that existed when the watch began.
    for (int i = 0; i < 10; ++i)
        Touch(root_ / ("new " + std::to_string(i) + ".txt"));
    // Every change of the row count is seen: one rescan makes one step.
    std::set<int> counts{before};
    nimbra.WaitFor(
        [&] {
            counts.insert(nimbra.RowCount());
            return false;
        },
        3000);
    EXPECT_EQ(counts, (std::set<int>{before, before + 10}));
    EXPECT_EQ(nimbra.Row(nimbra.SelectedRow()).Title, selected);
}

// A storm of changes: ten thousand files made, renamed and deleted in the
// included folder. The watcher's rescans stay debounced (at most one a
// second, each a step of the row count), the window ends as it began with
// its selection, says nothing, and holds no more memory than before.
TEST_F(SearchWindowTest, TenThousandFilesMadeRenamedAndDeletedCostDebouncedRescansOnly) {
    TNimbraProcess& nimbra = Start();
    const int before = nimbra.RowCount();
    nimbra.Press(VK_DOWN);
    nimbra.Press(VK_DOWN);
    const std::string selected = nimbra.Row(nimbra.SelectedRow()).Title;
    PROCESS_MEMORY_COUNTERS memory{sizeof memory};
    GetProcessMemoryInfo(nimbra.Process(), &memory, sizeof memory);
    const double privateBefore = memory.PagefileUsage / 1048576.0;

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    std::atomic<bool> stormOver{false};
    std::thread storm([&] {
        Storm(root_, 10000);
        stormOver = true;
    });
    std::vector<int> counts{before};
    bool errorShown = false;
    Clock::time_point over{};
    // Watched until the storm is over and the rows have been back for three
    // seconds (rescans then still due would show up as another step).
    while (Clock::now() - start < std::chrono::minutes(3)) {
        const int count = nimbra.RowCount();
        if (count != counts.back())
            counts.push_back(count);
        errorShown = errorShown || DialogOf(nimbra) != nullptr;
        if (stormOver && over == Clock::time_point{})
            over = Clock::now();
        if (stormOver && count == before && Clock::now() - over > std::chrono::seconds(3))
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    storm.join();
    const double seconds = std::chrono::duration<double>(over - start).count();
    GetProcessMemoryInfo(nimbra.Process(), &memory, sizeof memory);
    const double privateAfter = memory.PagefileUsage / 1048576.0;
    std::printf("storm of %.1f s: %zu row-count steps, private memory %.1f -> %.1f MB\n", seconds,
                counts.size() - 1, privateBefore, privateAfter);
    EXPECT_EQ(counts.back(), before);
    EXPECT_LE(static_cast<double>(counts.size() - 1), seconds + 3);
    EXPECT_FALSE(errorShown);
    EXPECT_EQ(nimbra.Row(nimbra.SelectedRow()).Title, selected);
    EXPECT_LT(privateAfter, privateBefore + 16);
}

// Typed into, hidden, then told to exit from outside while a storm of
// changes keeps the watchers and rescans busy: the program ends by itself,
// and soon.
TEST_F(SearchWindowTest, ExitWhileChangesKeepRescansRunningEndsTheProgram) {
    TNimbraProcess& nimbra = Start();
    nimbra.Type(L"calc");
    nimbra.Press(VK_ESCAPE);
    ASSERT_TRUE(nimbra.WaitFor([&] { return !nimbra.MainVisible(); }));
    std::thread storm([&] { Storm(root_, 2000); });
    // Into the storm: the first debounced rescans have run.
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    EXPECT_EQ(RunNimbraToEnd(L"-exit"), 0u);
    EXPECT_EQ(WaitForSingleObject(nimbra.Process(), 15000), WAIT_OBJECT_0);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(nimbra.Process(), &code);
    EXPECT_EQ(code, 0u);
    storm.join();
}

TEST_F(SearchWindowTest, TheDateFilterWithAnEmptyRequestListsFreshItemsAndTheirFolders) {
    MakeOld(root_);
    Touch(root_ / "Documents" / "deep" / "fresh.txt");
    TNimbraProcess& nimbra = Start();
    ASSERT_TRUE(nimbra.MenuCommand({"&View", "&Show items added/modified in", "This &day"}));
    std::vector<std::string> titles;
    for (const TRow& row : nimbra.Rows())
        titles.push_back(row.Title + (row.Bold ? " (bold)" : ""));
    // The folders that hold the fresh file changed with it; they match too.
    EXPECT_EQ(titles.back(), "fresh.txt (bold)");
    EXPECT_EQ(
        std::count_if(titles.begin(), titles.end(),
                      [](const std::string& t) { return t.find(".txt") != std::string::npos; }),
        1);
    nimbra.Screenshot(ScreenshotFolder() / "search-this-day.png");
}

TEST_F(SearchWindowTest, ViewStateAndTheDateFilterSurviveARestart) {
    {
        TNimbraProcess& nimbra = Start();
        ASSERT_TRUE(nimbra.MenuCommand({"&View", "Show h&eader"}));
        ASSERT_TRUE(nimbra.MenuCommand({"&View", "&Show items added/modified in", "This &week"}));
        EXPECT_FALSE(nimbra.Visible(std::string(kFramePath) + "HeaderPanel"));
        EXPECT_TRUE(nimbra.Close());
    }
    TNimbraProcess& nimbra = Start();
    EXPECT_FALSE(nimbra.Visible(std::string(kFramePath) + "HeaderPanel"));
    EXPECT_TRUE(nimbra.Visible(std::string(kFramePath) + "ToolbarPanel"));
    InitAppIni();
    EXPECT_TRUE(AppIni().ReadBool("Nimbra\\Recent", "Active", false));
    EXPECT_EQ(AppIni().ReadString("Nimbra\\Recent", "Period", ""), "rpWeek");
    nimbra.Screenshot(ScreenshotFolder() / "search-restarted.png");
}

TEST_F(SearchWindowTest, OpeningAnEntryThatVanishedSaysSoAndTheWindowStaysUsable) {
    TNimbraProcess& nimbra = Start();
    nimbra.Type(L"menu");
    ASSERT_EQ(BoldTitles(), (std::vector<std::string>{"Caf\xC3\xA9 menu.txt"}));
    // Gone before the watcher's rescan is due.
    fs::remove(root_ / "Documents" / L"Caf\u00e9 menu.txt");
    nimbra.Press(VK_RETURN);
    HWND box = nullptr;
    ASSERT_TRUE(nimbra.WaitFor([&] { return (box = DialogOf(nimbra)) != nullptr; }));
    wchar_t caption[64] = {};
    GetWindowTextW(box, caption, 64);
    EXPECT_STREQ(caption, L"Error");
    nimbra.Screenshot(ScreenshotFolder() / "search-open-failed.png");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(nimbra.WaitFor([&] { return !IsWindow(box); }));
    // The rescan removed the entry meanwhile. Back in the window the request
    // is selected, so new typing replaces it.
    EXPECT_TRUE(nimbra.WaitFor([&] { return BoldTitles().empty(); }, 3000));
    nimbra.Type(L"calc");
    EXPECT_EQ(nimbra.EditText(), "calc");
    EXPECT_EQ(BoldTitles(), (std::vector<std::string>{"Calculator"}));
}

// Settings saved in one language, the program started in another: the
// window's texts, the code's texts and the stored state all arrive.
TEST_F(SearchWindowTest, AStoredLanguageTranslatesTheWindowWithItsSavedState) {
    {
        TNimbraProcess& nimbra = Start();
        ASSERT_TRUE(nimbra.MenuCommand({"&View", "Show &toolbar"}));
        EXPECT_TRUE(nimbra.Close());
    }
    InitAppIni();
    AppIni().WriteString("Options", "Last language", "German");
    AppIni().Close();
    TNimbraProcess& nimbra = Start();
    wchar_t text[128] = {};
    GetWindowTextW(nimbra.Control(std::string(kFramePath) + "Label1"), text, 128);
    EXPECT_STREQ(text, L"&Wonach suchen Sie?");
    GetWindowTextW(nimbra.MainWindow(), text, 128);
    EXPECT_STREQ(text, L"Nimbra - Quillmoor Software") << "the caption keeps its maker";
    EXPECT_FALSE(nimbra.Visible(std::string(kFramePath) + "ToolbarPanel"));
    nimbra.Type(L"report");
    EXPECT_EQ(BoldTitles(), (std::vector<std::string>{"Report 2026.docx"}));
    nimbra.Screenshot(ScreenshotFolder() / "search-german.png");
}

// At 144 dots per inch everything is half as large again and still fits.
TEST_F(SearchWindowTest, AtAHigherResolutionTheWindowScales) {
    const TScopedDpi dpi(144);
    TNimbraProcess& nimbra = Start();
    nimbra.Type(L"report");
    RECT edit{};
    GetWindowRect(nimbra.Control(std::string(kFramePath) + "Edit1"), &edit);
    EXPECT_GE(edit.bottom - edit.top, 30);  // 21 design pixels at 144 dpi
    nimbra.Screenshot(ScreenshotFolder() / "search-144dpi.png");
}

}  // namespace
}  // namespace nimbra::e2e
