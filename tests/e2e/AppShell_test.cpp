// The program as it lives beside the user's work: hidden in the notification
// area, brought up by the hotkey or a second start, ended only by Exit.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "base/Unicode.h"
#include "e2e/NimbraDriver.h"
#include "utils/ConfigUtils.h"

namespace nimbra::e2e {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "x";
}

std::string Caption(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return ToUtf8(text);
}

// Win+; as a user presses it.
void PressHotkey() {
    SendChord(VK_LWIN, VK_OEM_1);
}

// Win+; and the text, in one burst, as fast as a user who knows the way.
void PressHotkeyAndType(const std::wstring& text) {
    std::vector<INPUT> inputs;
    const auto key = [&inputs](WORD vk, DWORD flags, WORD scan) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = scan;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    key(VK_LWIN, 0, 0);
    key(VK_OEM_1, 0, 0);
    key(VK_OEM_1, KEYEVENTF_KEYUP, 0);
    key(VK_LWIN, KEYEVENTF_KEYUP, 0);
    for (wchar_t c : text) {
        key(0, KEYEVENTF_UNICODE, c);
        key(0, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP, c);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

class AppShellTest : public testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("nimbra-shell-" + std::to_string(GetCurrentProcessId()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        Touch(root_ / "Quartz notes.txt");
        Touch(root_ / "Other paper.txt");
        ResetSettings(root_);
    }

    void TearDown() override {
        nimbra_.reset();
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    TNimbraProcess& Start(const std::wstring& arguments = L"", bool shown = true) {
        nimbra_ = std::make_unique<TNimbraProcess>(arguments, shown);
        return *nimbra_;
    }

    fs::path root_;
    std::unique_ptr<TNimbraProcess> nimbra_;
};

TEST_F(AppShellTest, EscAndTheCloseButtonHideTheWindowAndOnlyExitEndsTheProgram) {
    TNimbraProcess& nimbra = Start();
    EXPECT_EQ(Caption(nimbra.MainWindow()), "Nimbra - Quillmoor Software");
    nimbra.Activate();
    nimbra.Press(VK_ESCAPE);
    ASSERT_TRUE(nimbra.WaitFor([&] { return !nimbra.MainVisible(); }));
    EXPECT_EQ(WaitForSingleObject(nimbra.Process(), 0), WAIT_TIMEOUT) << "Esc ended the program";

    // A second start brings it back.
    EXPECT_EQ(RunNimbraToEnd(L""), 0u);
    ASSERT_TRUE(nimbra.WaitFor([&] { return nimbra.MainVisible(); }));
    nimbra.Settle();

    PostMessageW(nimbra.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(nimbra.WaitFor([&] { return !nimbra.MainVisible(); }));
    EXPECT_EQ(WaitForSingleObject(nimbra.Process(), 0), WAIT_TIMEOUT) << "Close ended the program";

    EXPECT_EQ(RunNimbraToEnd(L"-tray"), 0u) << "a second start with -tray still hands over";
    ASSERT_TRUE(nimbra.WaitFor([&] { return nimbra.MainVisible(); }));
    nimbra.Activate();
    SendChord(VK_MENU, 'X');
    EXPECT_EQ(WaitForSingleObject(nimbra.Process(), 15000), WAIT_OBJECT_0)
        << "Alt+X did not end it";
}

TEST_F(AppShellTest, ASecondStartSelectsTheRequestAndEndsWithoutAWindowOfItsOwn) {
    TNimbraProcess& nimbra = Start();
    nimbra.Activate();
    nimbra.Type(L"quartz");
    nimbra.Press(VK_ESCAPE);
    ASSERT_TRUE(nimbra.WaitFor([&] { return !nimbra.MainVisible(); }));
    EXPECT_EQ(RunNimbraToEnd(L"/some \u00e4rgument"), 0u);
    ASSERT_TRUE(nimbra.WaitFor([&] { return nimbra.MainVisible(); }));
    nimbra.Settle();
    EXPECT_EQ(nimbra.EditText(), "quartz");
    EXPECT_EQ(nimbra.EditSelection(), std::make_pair(0, 6));
    // Typing replaces the request.
    nimbra.Type(L"other");
    EXPECT_EQ(nimbra.EditText(), "other");
}

TEST_F(AppShellTest, ATrayStartShowsNoWindowUntilTheHotkeyWhichFocusesTheInputBox) {
    TNimbraProcess& nimbra = Start(L"-tray", false);
    nimbra.Settle();
    EXPECT_FALSE(nimbra.MainVisible());
    PressHotkey();
    ASSERT_TRUE(nimbra.WaitFor([&] { return nimbra.MainVisible(); }));
    nimbra.Settle();
    // Typed once the window is up; keys typed in the same burst as the
    // hotkey still reach the window that was in front before.
    GUITHREADINFO thread{sizeof thread};
    GetGUIThreadInfo(GetWindowThreadProcessId(nimbra.MainWindow(), nullptr), &thread);
    EXPECT_EQ(GetForegroundWindow(), nimbra.MainWindow());
    EXPECT_EQ(thread.hwndFocus, nimbra.Control("NimbraApp.NimbraFrame1.Edit1"));
    nimbra.Type(L"quartz");
    ASSERT_TRUE(nimbra.WaitFor([&] { return nimbra.EditText() == "quartz"; }))
        << "typed after the hotkey: " << nimbra.EditText();
    EXPECT_TRUE(nimbra.WaitFor([&] {
        const std::vector<TRow> rows = nimbra.Rows();
        return std::any_of(rows.begin(), rows.end(),
                           [](const TRow& row) { return row.Title.starts_with("Quartz notes"); });
    }));
    nimbra.Screenshot(ScreenshotFolder() / "shell-after-hotkey.png");
}

TEST_F(AppShellTest, WhatIsTypedWithTheHotkeyReachesTheInputBoxWhole) {
    TNimbraProcess& nimbra = Start(L"-tray", false);
    nimbra.Settle();
    PressHotkeyAndType(L"quartz notes");
    ASSERT_TRUE(nimbra.WaitFor([&] { return nimbra.MainVisible(); }));
    EXPECT_TRUE(nimbra.WaitFor([&] { return nimbra.EditText() == "quartz notes"; }))
        << nimbra.EditText();
    // Hidden again, with a request: the burst replaces it.
    nimbra.Press(VK_ESCAPE);
    ASSERT_TRUE(nimbra.WaitFor([&] { return !nimbra.MainVisible(); }));
    PressHotkeyAndType(L"other");
    EXPECT_TRUE(nimbra.WaitFor([&] { return nimbra.EditText() == "other"; })) << nimbra.EditText();
}

TEST_F(AppShellTest, TheHotkeyBringsAnOpenDialogToTheFront) {
    TNimbraProcess& nimbra = Start();
    nimbra.Activate();
    ASSERT_TRUE(nimbra.MenuCommand({"&Help", "&About..."}));
    HWND about = nullptr;
    ASSERT_TRUE(nimbra.WaitFor([&] {
        about = GetForegroundWindow();
        return about != nimbra.MainWindow() && IsWindowVisible(about);
    }));
    nimbra.Settle();
    nimbra.Screenshot(ScreenshotFolder() / "shell-about.png", about);
    SetForegroundWindow(GetDesktopWindow());
    PressHotkey();
    EXPECT_TRUE(nimbra.WaitFor([&] { return GetForegroundWindow() == about; }));
    PostMessageW(about, WM_CLOSE, 0, 0);
}

TEST_F(AppShellTest, TheTipOfTheDayShowsTipsOneAfterAnother) {
    TNimbraProcess& nimbra = Start();
    nimbra.Activate();
    ASSERT_TRUE(nimbra.MenuCommand({"&Help", "Show &tip of the day..."}));
    HWND dialog = nullptr;
    ASSERT_TRUE(nimbra.WaitFor([&] {
        dialog = nimbra.TopWindow("NimbraApp.TipOfTheDayDialog");
        return dialog != nullptr && IsWindowVisible(dialog);
    }));
    const HWND tip =
        FindChildWindow(dialog, nimbra.ProcessId(), "NimbraApp.TipOfTheDayDialog.TipLabel");
    ASSERT_NE(tip, nullptr);
    nimbra.Settle();
    const std::string first = WindowText(tip);
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(WindowText(dialog), "Nimbra Tip Of The Day");
    nimbra.Screenshot(ScreenshotFolder() / "shell-tip-of-the-day.png", dialog);
    SendChord(VK_MENU, 'N');
    EXPECT_TRUE(nimbra.WaitFor([&] { return WindowText(tip) != first; })) << "no next tip";
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(nimbra.WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }));
}

TEST_F(AppShellTest, HelpDumpWritesTheHelpBesideTheProgramWithoutAnInstanceCheck) {
    TNimbraProcess& running = Start();  // help mode works while a copy runs
    const fs::path dump = NimbraExe().parent_path() / "nimbra.help.txt";
    fs::remove(dump);
    EXPECT_EQ(RunNimbraToEnd(L"/help -DUMP"), 0u);
    std::ifstream in(dump);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    EXPECT_NE(text.find("[Help]"), std::string::npos);
    EXPECT_NE(text.find("[Links]"), std::string::npos);
    fs::remove(dump);
    EXPECT_TRUE(running.MainVisible()) << "help mode must not hand over to the running copy";
}

TEST_F(AppShellTest, WithNimbraIniBesideTheProgramTheRegistryStaysUntouched) {
    const fs::path ini = NimbraExe().parent_path() / "Nimbra.ini";
    std::ofstream(ini).close();
    struct TRemove {
        fs::path file;
        ~TRemove() {
            std::error_code ignored;
            fs::remove(file, ignored);
        }
    } remove{ini};
    AppIni().Close();
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quillmoor Software\\Nimbra");
    {
        TNimbraProcess& nimbra = Start();
        nimbra.Activate();
        nimbra.Press(VK_ESCAPE);
        nimbra.WaitFor([&] { return !nimbra.MainVisible(); });
        nimbra_.reset();
    }
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Quillmoor Software\\Nimbra", 0, KEY_READ,
                            &key),
              ERROR_SUCCESS)
        << "the portable program wrote to the registry";
    if (key != nullptr)
        RegCloseKey(key);
    std::ifstream in(ini);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("[View state]"), std::string::npos) << text;
}

TEST_F(AppShellTest, F1OnTheInputBoxOpensItsTopicAndLinksLeadOn) {
    TNimbraProcess& nimbra = Start();
    nimbra.Activate();
    nimbra.Press(VK_F1);
    HWND viewer = nullptr;
    ASSERT_TRUE(nimbra.WaitFor([&] {
        viewer = nimbra.TopWindow("HelpViewForm");
        return viewer != nullptr && IsWindowVisible(viewer);
    }));
    EXPECT_EQ(WindowText(viewer), "Nimbra Help");
    const HWND topic = FindChildWindow(viewer, nimbra.ProcessId(), "HelpViewForm.TopicView");
    ASSERT_NE(topic, nullptr);
    nimbra.Settle();
    const std::string text = WindowText(topic);
    EXPECT_EQ(text.rfind("The input box", 0), 0u) << text;
    EXPECT_EQ(text.find("\xee\x80\x80"), std::string::npos) << "a link mark shows";
    nimbra.Screenshot(ScreenshotFolder() / "help-input-box.png", viewer);
    PostMessageW(viewer, WM_CLOSE, 0, 0);
    EXPECT_TRUE(nimbra.WaitFor([&] { return !IsWindowVisible(viewer); }));
    EXPECT_TRUE(nimbra.MainVisible()) << "closing the help hid the program";
}

TEST_F(AppShellTest, F1InAnOpenMenuOpensTheMenusTopicOnceTheMenuClosed) {
    TNimbraProcess& nimbra = Start();
    nimbra.Activate();
    SendChord(VK_MENU, 'F');
    nimbra.Settle();
    nimbra.Press(VK_F1);
    HWND viewer = nullptr;
    ASSERT_TRUE(nimbra.WaitFor([&] {
        viewer = nimbra.TopWindow("HelpViewForm");
        return viewer != nullptr && IsWindowVisible(viewer);
    }));
    const HWND topic = FindChildWindow(viewer, nimbra.ProcessId(), "HelpViewForm.TopicView");
    nimbra.Settle();
    EXPECT_EQ(WindowText(topic).rfind("File menu", 0), 0u) << WindowText(topic);
}

TEST_F(AppShellTest, TheVeryFirstShowingOpensTheIntroHelpOnce) {
    AppIni().DeleteKey("Config", "IntroShown");
    AppIni().Close();
    {
        TNimbraProcess& nimbra = Start();
        EXPECT_TRUE(nimbra.WaitFor([&] {
            const HWND viewer = nimbra.TopWindow("HelpViewForm");
            return viewer != nullptr && IsWindowVisible(viewer);
        })) << "no intro";
        nimbra_.reset();
    }
    TNimbraProcess& again = Start();
    again.Settle();
    const HWND viewer = again.TopWindow("HelpViewForm");
    EXPECT_TRUE(viewer == nullptr || !IsWindowVisible(viewer)) << "the intro came twice";
}

TEST_F(AppShellTest, HelpModeShowsOnlyTheHelpViewerAndEndsWithIt) {
    const fs::path exe = NimbraExe();
    std::wstring commandLine = L"\"" + exe.wstring() + L"\" /help /tray";
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &info));
    HWND viewer = nullptr;
    for (int i = 0; i < 300 && viewer == nullptr; ++i) {
        Sleep(50);
        viewer = FindTopWindow(info.dwProcessId, "HelpViewForm");
    }
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(FindTopWindow(info.dwProcessId, "NimbraApp"), nullptr);
    PostMessageW(viewer, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(info.hProcess, 15000), static_cast<DWORD>(WAIT_OBJECT_0));
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

}  // namespace
}  // namespace nimbra::e2e
