// The window layer as Windows (here Wine) runs it: windows made and freed
// with their models, the boundary of every window procedure, the message
// loop's shortcuts, the owner-data list, modal forms and menus.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "base/ErrorDisplay.h"
#include "base/Unicode.h"
#include "controls/ComCtrls.h"
#include "controls/ExtCtrls.h"
#include "controls/Forms_win.h"
#include "controls/Menus_win.h"
#include "controls/StdCtrls.h"

namespace nimbra {
namespace {

// A control whose window raises for one private message.
class TThrowingPanel : public TPanel {
  public:
    using TPanel::TPanel;
    static constexpr unsigned kRaise = WM_APP + 77;
    bool HandleWindowMessage(unsigned message, std::uintptr_t, std::intptr_t,
                             std::intptr_t& result) override {
        if (message == kRaise)
            throw std::runtime_error("handler failed");
        result = 0;
        return false;
    }
};

class WindowLayerTest : public testing::Test {
  protected:
    void SetUp() override {
        SetErrorHandler([this](std::exception_ptr error) { errors_.push_back(ErrorText(error)); });
        form_ = new TForm(&app_);
        form_->SetName("TestForm");
        form_->SetClientSize(300, 200);
        form_->SetPosition(poScreenCenter);
    }
    void TearDown() override { SetErrorHandler(nullptr); }

    template <class T>
    T* Add(const char* name, TRect bounds, TWinControl* parent = nullptr) {
        auto* control = new T(form_);
        control->SetName(name);
        control->SetParent(parent != nullptr ? parent : form_);
        control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        return control;
    }

    void Pump(int rounds = 5) {
        for (int i = 0; i < rounds; ++i)
            app_.ProcessMessages();
    }

    TApplication app_{GetModuleHandleW(nullptr)};
    TForm* form_ = nullptr;
    std::vector<std::string> errors_;
};

TEST_F(WindowLayerTest, WindowsComeAndGoWithTheirModelsInAnyOrder) {
    auto* panel = Add<TPanel>("Panel1", Bounds(0, 0, 300, 100));
    auto* edit = Add<TEdit>("Edit1", Bounds(8, 8, 200, 21), panel);
    auto* label = Add<TLabel>("Label1", Bounds(8, 40, 100, 13), panel);
    form_->Show();
    const HWND editWindow = PeerOf(*edit)->Handle();
    const HWND panelWindow = PeerOf(*panel)->Handle();
    ASSERT_TRUE(IsWindow(editWindow));
    // Tools outside the process find controls by their component path.
    const auto atom =
        static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(editWindow, L"Nimbra.Name")));
    wchar_t name[128] = {};
    GlobalGetAtomNameW(atom, name, 128);
    EXPECT_EQ(ToUtf8(name), "TestForm.Edit1");
    delete label;
    delete panel;  // its child's window goes with it; the child stays
    EXPECT_FALSE(IsWindow(panelWindow));
    EXPECT_FALSE(IsWindow(editWindow));
    EXPECT_EQ(edit->Parent(), nullptr);
    delete form_;
    EXPECT_TRUE(errors_.empty());
}

TEST_F(WindowLayerTest, AHandlerThatRaisesIsReportedAndTheWindowLivesOn) {
    auto* panel = Add<TThrowingPanel>("Panel1", Bounds(0, 0, 100, 100));
    form_->Show();
    const HWND hwnd = PeerOf(*panel)->Handle();
    EXPECT_EQ(SendMessageW(hwnd, TThrowingPanel::kRaise, 0, 0), 0);
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0], "handler failed");
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(WindowLayerTest, TypedTextReachesTheModelAndCodeChangesReachTheWindow) {
    auto* edit = Add<TEdit>("Edit1", Bounds(8, 8, 200, 21));
    int changes = 0;
    edit->OnChange = [&](TObject&) { ++changes; };
    form_->Show();
    const HWND hwnd = PeerOf(*edit)->Handle();
    SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"caf\u00e9"));
    EXPECT_EQ(edit->Text(), "caf\xC3\xA9");
    EXPECT_EQ(changes, 1);
    edit->SetText("notepad");  // once, not again when the window echoes it
    EXPECT_EQ(changes, 2);
    wchar_t text[32] = {};
    GetWindowTextW(hwnd, text, 32);
    EXPECT_STREQ(text, L"notepad");
}

TEST_F(WindowLayerTest, AShortCutRunsItsActionBeforeTheFocusedControlSeesTheKey) {
    auto* edit = Add<TEdit>("Edit1", Bounds(8, 8, 200, 21));
    auto* list = new TActionList(form_);
    auto* action = new TAction(form_);
    action->SetActionList(list);
    action->SetShortCut(scCtrl | 'K');
    int runs = 0;
    action->OnExecute = [&](TObject&) { ++runs; };
    form_->Show();
    edit->SetFocus();
    INPUT keys[4] = {};
    for (INPUT& key : keys)
        key.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = 'K';
    keys[2].ki.wVk = 'K';
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_CONTROL;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, keys, sizeof(INPUT));
    Pump(20);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(edit->Text(), "");  // no character followed the key
    action->SetEnabled(false);
    SendInput(4, keys, sizeof(INPUT));
    Pump(20);
    EXPECT_EQ(runs, 1);
}

TEST_F(WindowLayerTest, TheListAsksForTheRowsItDrawsAndKeepsTheSelectionInRange) {
    auto* list = Add<TListViewEx>("ListView1", Bounds(0, 0, 300, 200));
    list->Columns()->Add()->SetCaption("Title");
    int asked = 0;
    list->OnData = [&](int row, TListRow& data) {
        ++asked;
        data.Caption = "row " + std::to_string(row);
        return true;
    };
    list->OnRowBold = [](int row) { return row % 2 == 1; };
    form_->Show();
    list->SetRowCount(100000);
    list->SelectRow(99999);
    const HWND hwnd = PeerOf(*list)->Handle();
    EXPECT_EQ(SendMessageW(hwnd, LVM_GETITEMCOUNT, 0, 0), 100000);
    EXPECT_EQ(SendMessageW(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 99999);
    wchar_t text[32] = {};
    LVITEMW item{};
    item.pszText = text;
    item.cchTextMax = 32;
    SendMessageW(hwnd, LVM_GETITEMTEXTW, 4711, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, L"row 4711");
    EXPECT_LT(asked, 1000);  // rows are asked for one by one, never all
    const UINT rowState = RegisterWindowMessageW(L"Nimbra.RowState");
    EXPECT_EQ(SendMessageW(hwnd, rowState, 3, 0), 1);
    EXPECT_EQ(SendMessageW(hwnd, rowState, 4, 0), 0);
    list->SetRowCount(10);  // shorter: the selection went
    EXPECT_EQ(list->SelectedRow(), -1);
    EXPECT_EQ(SendMessageW(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
}

TEST_F(WindowLayerTest, AModalFormReturnsItsResultAndGivesItsOwnerBack) {
    form_->Show();
    auto* dialog = new TForm(&app_);
    dialog->SetClientSize(200, 100);
    auto* ok = new TButton(dialog);
    ok->SetParent(dialog);
    ok->SetBounds(10, 10, 75, 25);
    ok->SetModalResult(mrOk);
    dialog->OnShow = [&](TObject&) {
        EXPECT_FALSE(IsWindowEnabled(PeerOf(*form_)->Handle()));
        PostMessageW(PeerOf(*ok)->Handle(), BM_CLICK, 0, 0);
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(IsWindowEnabled(PeerOf(*form_)->Handle()));
    EXPECT_FALSE(dialog->Visible());
}

TEST_F(WindowLayerTest, SystemMenusShowHotKeysShortcutsAndCheckMarks) {
    TPopupMenu menu(nullptr);
    auto* action = new TAction(form_);
    action->SetCaption("Auto-scroll");
    action->SetShortCut(scAlt | VK_RETURN);
    action->SetChecked(true);
    for (const char* caption : {"-", "Start Menu", "-", "-", "Settings"}) {
        auto* item = new TMenuItem(nullptr);
        item->SetCaption(caption);
        menu.Items()->Add(item);
    }
    auto* bound = new TMenuItem(nullptr);
    bound->SetAction(action);
    menu.Items()->Add(bound);
    const HMENU popup = CreatePopupMenu();
    FillSystemMenu(popup, *menu.Items());
    ASSERT_EQ(GetMenuItemCount(popup), 4);  // the leading and the doubled lines went
    wchar_t text[64] = {};
    GetMenuStringW(popup, 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Start Menu");
    GetMenuStringW(popup, 3, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Auto-scroll\tAlt+Enter");
    EXPECT_EQ(GetMenuState(popup, 3, MF_BYPOSITION) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    DestroySystemMenu(popup);
}

TEST_F(WindowLayerTest, AChangeOfResolutionScalesFontsAndLayout) {
    auto* edit = Add<TEdit>("Edit1", Bounds(8, 8, 284, 21));
    edit->SetAnchors({akLeft, akTop, akRight});
    form_->Show();
    const HWND formWindow = PeerOf(*form_)->Handle();
    RECT rc{};
    GetWindowRect(formWindow, &rc);
    RECT suggested{rc.left, rc.top, rc.left + (rc.right - rc.left) * 3 / 2,
                   rc.top + (rc.bottom - rc.top) * 3 / 2};
    SendMessageW(formWindow, WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    // The window's own resolution does not change here, so the layout stays
    // at it; the edit still spans the new width with its margins.
    RECT client{};
    GetClientRect(formWindow, &client);
    EXPECT_EQ(edit->BoundsRect().Right, client.right - ScaleToDpi(8, form_->Dpi()));
    EXPECT_TRUE(errors_.empty());
}

}  // namespace
}  // namespace nimbra
