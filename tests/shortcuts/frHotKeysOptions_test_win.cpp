// The keyboard page of the options dialog as Windows (here Wine) runs it:
// copies shown sorted, edits that reach the live hotkeys only on OK, the
// mark of a combination another program holds, the shortcut editor and its
// key box.
#include "shortcuts/frHotKeysOptions.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Unicode.h"
#include "controls/Controls_win.h"
#include "controls/Forms_win.h"
#include "shortcuts/AppShortcuts.h"
#include "shortcuts/fmEditShortCut.h"
#include "shortcuts/frAppShortCutsView.h"
#include "shortcuts/frShortcutSetting.h"
#include "support/TestAppKey.h"
#include "support/UiPump.h"

namespace nimbra {
namespace {

using testing_support::GlobalAppIniOverride;

constexpr TShortCut kOpenKeys = scCtrl | scAlt | scShift | VK_F9;
constexpr TShortCut kOtherKeys = scCtrl | scAlt | scShift | VK_F10;
constexpr TShortCut kNewKeys = scCtrl | scAlt | scShift | VK_F7;

std::string ItemText(HWND list, int row, int column) {
    wchar_t text[256] = {};
    ListView_GetItemText(list, row, column, text, 256);
    return ToUtf8(text);
}

class HotKeysPageTest : public testing::Test {
  protected:
    void SetUp() override {
        manager_.emplace();
        open_ = TAppShortCut::CreateEx("AppOpen", true, &action_, kOpenKeys, "Show the window");
        other_ = TAppShortCut::CreateEx("Other", true, &action_, kOtherKeys, "Another action");
        ASSERT_TRUE(open_->IsRegistered());
        form_ = new TForm(&app_);
        form_->SetName("TestForm");
        form_->SetClientSize(440, 380);
        page_ = new THotKeysOptionsPageFrame(form_);
        page_->SetParent(form_);
        page_->SetAlign(alClient);
        form_->Show();
        page_->LoadSettings();
    }

    HWND List() const { return PeerOf(*page_->AppShortCutsView1->ListView1)->Handle(); }
    std::vector<std::string> Column(int column) const {
        std::vector<std::string> texts;
        for (int row = 0; row < ListView_GetItemCount(List()); ++row)
            texts.push_back(ItemText(List(), row, column));
        return texts;
    }
    // Ticks or clears the box of a row as a click does.
    void SetCheck(int row, bool checked) { ListView_SetCheckState(List(), row, checked); }

    GlobalAppIniOverride store_;
    TApplication app_{GetModuleHandleW(nullptr)};
    std::optional<TAppShortCutsManager> manager_;
    TAppShortCutsCfg cfg_;
    TAction action_{nullptr};
    TAppShortCut* open_ = nullptr;
    TAppShortCut* other_ = nullptr;
    TForm* form_ = nullptr;
    THotKeysOptionsPageFrame* page_ = nullptr;
};

TEST_F(HotKeysPageTest, TheCopiesAreListedByTitleWithTheirCombinationAndState) {
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Another action", "Show the window"}));
    EXPECT_EQ(Column(1),
              (std::vector<std::string>{ShortCutToText(kOtherKeys), ShortCutToText(kOpenKeys)}));
    EXPECT_TRUE(ListView_GetCheckState(List(), 0));
    EXPECT_EQ(page_->AppShortCutsView1->Selected(), page_->ShortCuts().FindTitle("Other"))
        << "the first row is selected";
    EXPECT_EQ(ListView_GetNextItem(List(), -1, LVNI_SELECTED), 0) << "and shown selected";
    EXPECT_NE(page_->ShortCuts().FindTitle("AppOpen"), open_) << "the page edits copies";
}

TEST_F(HotKeysPageTest, AClearedBoxUnregistersTheHotkeyOnlyWhenTheDialogIsAccepted) {
    SetCheck(1, false);
    EXPECT_TRUE(page_->Modified());
    EXPECT_FALSE(page_->ShortCuts().FindTitle("AppOpen")->Enabled());
    EXPECT_TRUE(open_->IsRegistered()) << "the live hotkey changed before OK";
    EXPECT_EQ(Column(0)[1], "Show the window") << "the row stays where it was";

    page_->CancelSettings();
    EXPECT_TRUE(open_->Enabled());
    page_->LoadSettings();
    EXPECT_TRUE(ListView_GetCheckState(List(), 1)) << "a new showing starts from the live state";
    SetCheck(1, false);
    page_->SaveSettings();
    EXPECT_FALSE(open_->Enabled());
    EXPECT_FALSE(open_->IsRegistered());
    EXPECT_TRUE(other_->IsRegistered()) << "an unchanged shortcut was touched";
}

TEST_F(HotKeysPageTest, NothingIsAppliedWhenNothingWasChanged) {
    // The live item changes behind the page's back; an unmodified page must
    // not put its old copy back.
    open_->SetShortCut(kNewKeys);
    page_->SaveSettings();
    EXPECT_EQ(open_->ShortCut(), kNewKeys);
}

TEST_F(HotKeysPageTest, AChangedCopyShowsItsNewCombinationAtOnce) {
    TAppShortCut& copy = *page_->ShortCuts().FindTitle("AppOpen");
    copy.SetEnabledShortCut(true, kNewKeys);
    EXPECT_EQ(Column(1)[1], ShortCutToText(kNewKeys));
    EXPECT_EQ(page_->AppShortCutsView1->Selected(), &copy);
    EXPECT_TRUE(open_->IsRegistered());
    EXPECT_EQ(open_->ShortCut(), kOpenKeys);
}

TEST_F(HotKeysPageTest, ACombinationHeldElsewhereIsMarkedUntilItIsChanged) {
    // A window of this thread holds the combination the next shortcut wants.
    constexpr TShortCut kHeld = scCtrl | scAlt | scShift | VK_F12;
    ASSERT_TRUE(
        RegisterHotKey(nullptr, 77, MOD_CONTROL | MOD_ALT | MOD_SHIFT | MOD_NOREPEAT, VK_F12));
    TAppShortCut* held = TAppShortCut::CreateEx("Held", true, &action_, kHeld, "Held action");
    EXPECT_FALSE(held->IsRegistered());
    page_->LoadSettings();
    const std::string mark = "  (in use by another program)";
    EXPECT_EQ(Column(1),
              (std::vector<std::string>{ShortCutToText(kOtherKeys), ShortCutToText(kHeld) + mark,
                                        ShortCutToText(kOpenKeys)}));
    // A combination not tried yet is not marked.
    page_->ShortCuts().FindTitle("Held")->SetShortCut(kNewKeys);
    EXPECT_EQ(Column(1)[1], ShortCutToText(kNewKeys));
    // Once the holder lets go, a new showing drops the mark only after the
    // shortcut was registered again (here by a change of the live item).
    UnregisterHotKey(nullptr, 77);
    held->SetShortCut(kNewKeys);
    ASSERT_TRUE(held->IsRegistered());
    page_->LoadSettings();
    EXPECT_EQ(Column(1)[1], ShortCutToText(kNewKeys));
}

class ShortcutEditorTest : public testing::Test {
  protected:
    void SetUp() override {
        dialog_ = std::make_unique<TEditShortCutDialog>(nullptr);
        item_.SetDescription("Show the window");
        item_.SetEnabledShortCut(false, kOpenKeys);
        dialog_->Load(item_);
        dialog_->Show();
    }
    void TearDown() override { dialog_->Hide(); }

    bool WindowEnabled(TControl& control) const {
        return IsWindowEnabled(PeerOf(control)->Handle()) != FALSE;
    }
    HWND KeyBox() const { return PeerOf(*dialog_->ShortcutSettingFrame1->HotKey1)->Handle(); }

    TApplication app_{GetModuleHandleW(nullptr)};
    TAppShortCuts copies_;
    TAppShortCut& item_ = *copies_.Add();
    std::unique_ptr<TEditShortCutDialog> dialog_;
};

TEST_F(ShortcutEditorTest, ADisabledShortcutKeepsItsCombinationWithTheKeyBoxesDisabled) {
    TShortcutSettingFrame& frame = *dialog_->ShortcutSettingFrame1;
    EXPECT_FALSE(dialog_->EnabledCheck->Checked());
    for (TControl* control :
         {static_cast<TControl*>(frame.chkCtrl), static_cast<TControl*>(frame.chkWin),
          static_cast<TControl*>(frame.HotKey1)})
        EXPECT_FALSE(WindowEnabled(*control)) << control->Name();
    EXPECT_FALSE(WindowEnabled(*dialog_->KeysLabel));
    EXPECT_EQ(frame.ShortCut(), kOpenKeys);

    SendMessageW(PeerOf(*dialog_->EnabledCheck)->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(WindowEnabled(*frame.HotKey1));
    EXPECT_TRUE(WindowEnabled(*frame.chkShift));
    SendMessageW(PeerOf(*dialog_->EnabledCheck)->Handle(), BM_CLICK, 0, 0);

    dialog_->Store(item_);
    EXPECT_FALSE(item_.Enabled());
    EXPECT_EQ(item_.ShortCut(), kOpenKeys);
}

TEST_F(ShortcutEditorTest, TheKeyBoxTakesThePlainKeyAndTheBoxesTheModifiers) {
    TShortcutSettingFrame& frame = *dialog_->ShortcutSettingFrame1;
    int changes = 0;
    frame.OnChange = [&](TObject&) { ++changes; };
    frame.SetShortCut(scWin | 'A');
    EXPECT_EQ(changes, 0) << "writing the frame is no change of the user's";
    EXPECT_TRUE(frame.chkWin->Checked());
    EXPECT_FALSE(frame.chkCtrl->Checked());

    // Ctrl held down, then Q: the box holds Q alone.
    SendMessageW(KeyBox(), WM_KEYDOWN, VK_CONTROL, 0);
    EXPECT_EQ(changes, 0) << "a modifier alone is no key";
    SendMessageW(KeyBox(), WM_KEYDOWN, 'Q', 0);
    EXPECT_EQ(frame.HotKey1->Key(), 'Q');
    EXPECT_EQ(frame.ShortCut(), scWin | 'Q');
    EXPECT_EQ(changes, 1);
    SendMessageW(PeerOf(*frame.chkCtrl)->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(frame.ShortCut(), scWin | scCtrl | 'Q');
    EXPECT_EQ(changes, 2);

    // Tab moves on; Backspace empties the box.
    SendMessageW(KeyBox(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(frame.HotKey1->Key(), 'Q');
    SendMessageW(KeyBox(), WM_KEYDOWN, VK_BACK, 0);
    EXPECT_EQ(frame.HotKey1->Key(), 0);
    EXPECT_EQ(frame.ShortCut(), scWin | scCtrl) << "an empty key is taken as it is";
}

}  // namespace
}  // namespace nimbra
