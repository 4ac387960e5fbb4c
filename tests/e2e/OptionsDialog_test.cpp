// The options dialog as a user meets it: its pages, paging with the
// keyboard, OK and Cancel, the program's shortcuts in the shell's folders,
// the global hotkey and the language.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "base/Unicode.h"
#include "e2e/NimbraDriver.h"
#include "shell/LnkUtils.h"
#include "utils/ConfigUtils.h"

namespace nimbra::e2e {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDialog = "OptionsDlgNew2";
constexpr int kPageCount = 4;

fs::path StartupFolder() {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

class OptionsDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("nimbra-options-" + std::to_string(GetCurrentProcessId()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
        std::ofstream(root_ / "Quartz notes.txt") << "x";
        ResetSettings(root_);
        std::error_code ignored;
        fs::remove(StartupFolder() / "Nimbra.lnk", ignored);
    }

    void TearDown() override {
        nimbra_.reset();
        std::error_code ignored;
        fs::remove_all(root_, ignored);
        fs::remove(StartupFolder() / "Nimbra.lnk", ignored);
    }

    TNimbraProcess& Start() {
        nimbra_ = std::make_unique<TNimbraProcess>();
        nimbra_->Activate();
        return *nimbra_;
    }

    // Opens the dialog from the View menu (its captions as given); gives
    // its window.
    HWND OpenOptions(const std::vector<std::string>& menu = {"&View", "&Options..."}) {
        EXPECT_TRUE(nimbra_->MenuCommand(menu));
        HWND dialog = nullptr;
        nimbra_->WaitFor([&] {
            dialog = nimbra_->TopWindow(kDialog);
            return dialog != nullptr && IsWindowVisible(dialog) && GetForegroundWindow() == dialog;
        });
        nimbra_->Settle();
        return dialog;
    }

    HWND Child(HWND dialog, const std::string& path) const {
        return FindChildWindow(dialog, nimbra_->ProcessId(), std::string(kDialog) + "." + path);
    }

    int ShownPage(HWND dialog) const {
        return static_cast<int>(SendMessageW(Child(dialog, "PageList"), LB_GETCURSEL, 0, 0));
    }

    // Pages forward with Ctrl+PgDn until `index` is shown.
    void GoToPage(HWND dialog, int index) {
        for (int i = 0; i < kPageCount && ShownPage(dialog) != index; ++i) {
            SendChord(VK_CONTROL, VK_NEXT);
            nimbra_->Settle();
        }
        ASSERT_EQ(ShownPage(dialog), index);
    }

    // Presses Tab until `target` (a control of the window `owner`) has the
    // focus, as a keyboard user gets there.
    bool TabTo(HWND owner, HWND target) {
        const auto focused = [&] {
            GUITHREADINFO thread{sizeof thread};
            GetGUIThreadInfo(GetWindowThreadProcessId(owner, nullptr), &thread);
            return thread.hwndFocus;
        };
        for (int i = 0; i < 16 && focused() != target; ++i) {
            nimbra_->Press(VK_TAB);
            nimbra_->Settle();
        }
        return focused() == target;
    }

    bool Checked(HWND dialog, const std::string& path) const {
        return SendMessageW(Child(dialog, path), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    void CloseWith(HWND dialog, WORD key) {
        nimbra_->Press(key);
        EXPECT_TRUE(nimbra_->WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }))
            << "the dialog did not close";
        nimbra_->Settle();
    }

    fs::path root_;
    std::unique_ptr<TNimbraProcess> nimbra_;
};

constexpr const char* kPageNames[kPageCount] = {"nimbra", "keyboard", "shell", "language"};

TEST_F(OptionsDialogTest, CtrlPageDownWalksEveryPageAndWrapsToTheFirst) {
    Start();
    const HWND dialog = OpenOptions();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), "Nimbra options...");
    EXPECT_EQ(SendMessageW(Child(dialog, "PageList"), LB_GETCOUNT, 0, 0), kPageCount)
        << "the hidden custom folder browser page must not be listed";
    ASSERT_EQ(ShownPage(dialog), 0);
    for (int page = 0; page < kPageCount; ++page) {
        ASSERT_EQ(ShownPage(dialog), page);
        nimbra_->Screenshot(
            ScreenshotFolder() / ("options-" + std::string(kPageNames[page]) + ".png"), dialog);
        SendChord(VK_CONTROL, VK_NEXT);
        nimbra_->Settle();
    }
    EXPECT_EQ(ShownPage(dialog), 0) << "Ctrl+PgDn on the last page goes to the first";
    SendChord(VK_CONTROL, VK_PRIOR);
    nimbra_->Settle();
    EXPECT_EQ(ShownPage(dialog), kPageCount - 1) << "Ctrl+PgUp on the first page goes to the last";
    CloseWith(dialog, VK_ESCAPE);
}

TEST_F(OptionsDialogTest, ReopeningShowsThePageShownLastAlsoAfterARestart) {
    Start();
    HWND dialog = OpenOptions();
    GoToPage(dialog, 2);
    CloseWith(dialog, VK_ESCAPE);
    dialog = OpenOptions();
    EXPECT_EQ(ShownPage(dialog), 2);
    GoToPage(dialog, 3);
    CloseWith(dialog, VK_RETURN);
    nimbra_.reset();

    Start();
    dialog = OpenOptions();
    EXPECT_EQ(ShownPage(dialog), 3);
    CloseWith(dialog, VK_ESCAPE);
}

TEST_F(OptionsDialogTest, CancelKeepsEverySettingAndOkStoresThem) {
    Start();
    HWND dialog = OpenOptions();
    ASSERT_TRUE(Checked(dialog, "NimbraOptionsFrame.chkRestore"));
    ASSERT_TRUE(Checked(dialog, "NimbraOptionsFrame.chkAutoScroll"));
    SendChord(VK_MENU, 'A');  // "Animated &activation"
    SendChord(VK_MENU, 'S');  // "Auto-&scroll to first match"
    nimbra_->Settle();
    ASSERT_FALSE(Checked(dialog, "NimbraOptionsFrame.chkRestore"));
    CloseWith(dialog, VK_ESCAPE);

    dialog = OpenOptions();
    EXPECT_TRUE(Checked(dialog, "NimbraOptionsFrame.chkRestore")) << "Cancel kept a change";
    EXPECT_TRUE(Checked(dialog, "NimbraOptionsFrame.chkAutoScroll"));
    SendChord(VK_MENU, 'A');
    SendChord(VK_MENU, 'S');
    nimbra_->Settle();
    CloseWith(dialog, VK_RETURN);
    nimbra_.reset();

    InitAppIni();
    EXPECT_EQ(AppIni().ReadString("Options", "ShellCfg.AnimateRestore", ""), "False");
    EXPECT_FALSE(AppIni().ReadBool("Nimbra\\Options", "AutoScroll", true));
    AppIni().Close();
    Start();
    dialog = OpenOptions();
    EXPECT_FALSE(Checked(dialog, "NimbraOptionsFrame.chkRestore")) << "not kept over a restart";
    EXPECT_FALSE(Checked(dialog, "NimbraOptionsFrame.chkAutoScroll"));
    CloseWith(dialog, VK_ESCAPE);
}

TEST_F(OptionsDialogTest, RunAtStartupWritesTheTrayShortcutOnlyOnOk) {
    Start();
    const fs::path link = StartupFolder() / "Nimbra.lnk";
    HWND dialog = OpenOptions();
    GoToPage(dialog, 2);
    const std::string page = "NimbraShellOptions.";
    EXPECT_TRUE(IsWindowEnabled(Child(dialog, page + "chkLoad")));
    EXPECT_FALSE(Checked(dialog, page + "chkLoad"));
    // Wine's profile has no Quick Launch folder: its box cannot be used.
    if (GetLnkFolder(lfQuickLaunch).empty()) {
        EXPECT_FALSE(IsWindowEnabled(Child(dialog, page + "chkQuickLaunch")));
    }
    SendChord(VK_MENU, 'R');  // "&Run this program when Windows starts"
    nimbra_->Settle();
    nimbra_->Screenshot(ScreenshotFolder() / "options-shell-checked.png", dialog);
    CloseWith(dialog, VK_ESCAPE);
    EXPECT_FALSE(fs::exists(link)) << "Cancel wrote the shortcut";

    dialog = OpenOptions();
    GoToPage(dialog, 2);
    SendChord(VK_MENU, 'R');
    nimbra_->Settle();
    CloseWith(dialog, VK_RETURN);
    ASSERT_TRUE(fs::exists(link));
    const auto lnk = LoadShellLnk(ToUtf8(link.wstring()));
    ASSERT_NE(lnk, nullptr);
    EXPECT_EQ(lnk->Arguments(), "-tray");
    EXPECT_TRUE(fs::equivalent(ToWide(lnk->Path()), NimbraExe())) << lnk->Path();

    dialog = OpenOptions();
    GoToPage(dialog, 2);
    EXPECT_TRUE(Checked(dialog, page + "chkLoad"));
    SendChord(VK_MENU, 'R');
    nimbra_->Settle();
    CloseWith(dialog, VK_RETURN);
    EXPECT_FALSE(fs::exists(link)) << "unchecking did not delete the shortcut";
}

TEST_F(OptionsDialogTest, ANewShortcutWorksAtOnceAfterOkAndAfterARestart) {
    Start();
    HWND dialog = OpenOptions();
    GoToPage(dialog, 1);
    const HWND list = Child(dialog, "HotKeysOptionsPageFrame.AppShortCutsView1.ListView1");
    ASSERT_EQ(nimbra_->ListTexts(list, 1), std::vector<std::string>{"Win+;"});
    nimbra_->Press(VK_F2);
    HWND edit = nullptr;
    ASSERT_TRUE(nimbra_->WaitFor([&] {
        edit = nimbra_->TopWindow("EditShortCutDialog");
        return edit != nullptr && IsWindowVisible(edit);
    }));
    nimbra_->Settle();
    const auto editChild = [&](const std::string& path) {
        return FindChildWindow(edit, nimbra_->ProcessId(), "EditShortCutDialog." + path);
    };
    const std::string frame = "ShortcutSettingFrame1.";
    ASSERT_TRUE(SendMessageW(editChild(frame + "chkWin"), BM_GETCHECK, 0, 0) == BST_CHECKED);
    for (const char* box : {"chkWin", "chkCtrl", "chkAlt"})
        SendMessageW(editChild(frame + box), BM_CLICK, 0, 0);
    // Tab moves through the modifier boxes to the key box.
    ASSERT_TRUE(TabTo(edit, editChild(frame + "HotKey1")));
    nimbra_->Press('N', false, true);  // Ctrl+N leaves "N" alone in the box
    nimbra_->Settle();
    nimbra_->Screenshot(ScreenshotFolder() / "options-edit-shortcut.png", edit);
    nimbra_->Press(VK_RETURN);
    ASSERT_TRUE(nimbra_->WaitFor([&] { return !IsWindow(edit) || !IsWindowVisible(edit); }));
    nimbra_->Settle();
    EXPECT_EQ(nimbra_->ListTexts(list, 1), std::vector<std::string>{"Ctrl+Alt+N"})
        << "the row shows the new combination at once";
    CloseWith(dialog, VK_RETURN);

    nimbra_->Press(VK_ESCAPE);
    ASSERT_TRUE(nimbra_->WaitFor([&] { return !nimbra_->MainVisible(); }));
    nimbra_->Press('N', false, true, true);
    EXPECT_TRUE(nimbra_->WaitFor([&] { return nimbra_->MainVisible(); }))
        << "Ctrl+Alt+N did not bring the window up";
    nimbra_.reset();

    nimbra_ = std::make_unique<TNimbraProcess>(L"-tray", false);
    nimbra_->Settle();
    nimbra_->Press('N', false, true, true);
    EXPECT_TRUE(nimbra_->WaitFor([&] { return nimbra_->MainVisible(); }))
        << "the new combination was not kept over a restart";
}

TEST_F(OptionsDialogTest, ACombinationHeldByAnotherProgramIsMarkedOnTheKeyboardPage) {
    // This test program holds Win+; before Nimbra starts.
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_WIN | MOD_NOREPEAT, VK_OEM_1));
    Start();
    HWND dialog = OpenOptions();
    GoToPage(dialog, 1);
    const HWND list = Child(dialog, "HotKeysOptionsPageFrame.AppShortCutsView1.ListView1");
    EXPECT_EQ(nimbra_->ListTexts(list, 1),
              std::vector<std::string>{"Win+;  (in use by another program)"});
    nimbra_->Screenshot(ScreenshotFolder() / "options-keyboard-in-use.png", dialog);
    CloseWith(dialog, VK_ESCAPE);
    UnregisterHotKey(nullptr, 1);
}

TEST_F(OptionsDialogTest, GermanChosenOnTheLanguagePageTranslatesTheOpenWindowsAtOnce) {
    Start();
    const HWND label = nimbra_->Control("NimbraApp.NimbraFrame1.Label1");
    ASSERT_EQ(WindowText(label), "&What do you want to find?");
    HWND dialog = OpenOptions();
    GoToPage(dialog, 3);
    const HWND combo = Child(dialog, "LangOptionsPageFrame.ComboBox1");
    const auto german = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(L"German"));
    ASSERT_GE(german, 0) << "German.lng is not offered";
    ASSERT_TRUE(TabTo(dialog, combo));
    nimbra_->Press(VK_HOME);
    for (LRESULT i = 0; i < german; ++i)
        nimbra_->Press(VK_DOWN);
    nimbra_->Settle();
    ASSERT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), german);
    CloseWith(dialog, VK_RETURN);
    EXPECT_TRUE(nimbra_->WaitFor([&] { return WindowText(label) == "&Wonach suchen Sie?"; }))
        << WindowText(label);
    nimbra_->Screenshot(ScreenshotFolder() / "options-german-main.png");

    dialog = OpenOptions({"&Ansicht", "O&ptionen..."});
    ASSERT_NE(dialog, nullptr);
    for (int page = 0; page < kPageCount; ++page) {
        GoToPage(dialog, page);
        nimbra_->Screenshot(
            ScreenshotFolder() / ("options-german-" + std::string(kPageNames[page]) + ".png"),
            dialog);
    }
    CloseWith(dialog, VK_ESCAPE);
}

TEST_F(OptionsDialogTest, AtAHigherResolutionThePagesScale) {
    const TScopedDpi dpi(144);
    Start();
    HWND dialog = OpenOptions();
    RECT ok{};
    GetWindowRect(Child(dialog, "OKButton"), &ok);
    EXPECT_GE(ok.bottom - ok.top, 36);  // 25 design pixels at 144 dpi
    for (int page = 0; page < kPageCount; ++page) {
        GoToPage(dialog, page);
        nimbra_->Screenshot(
            ScreenshotFolder() / ("options-144dpi-" + std::string(kPageNames[page]) + ".png"),
            dialog);
    }
    CloseWith(dialog, VK_ESCAPE);
}

}  // namespace
}  // namespace nimbra::e2e
