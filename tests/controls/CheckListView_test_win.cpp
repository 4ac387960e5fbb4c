// The editor's list as Windows (here Wine) runs it: rows and check boxes
// pushed into the list, what the user ticks, selects and drags reported
// back.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "controls/CheckListView.h"
#include "controls/Forms_win.h"

namespace nimbra {
namespace {

class CheckListPeerTest : public testing::Test {
  protected:
    void SetUp() override {
        form_ = new TForm(&app_);
        form_->SetName("TestForm");
        form_->SetClientSize(300, 200);
        list_ = new TCheckListView(form_);
        list_->SetName("ListView1");
        list_->SetParent(form_);
        list_->SetAlign(alClient);
        list_->SetMultiSelect(true);
        list_->SetCheckBoxes(true);
        list_->SetDragReorder(true);
        list_->Columns()->Add()->SetCaption("Title");
        list_->Columns()->Add()->SetCaption("Folders");
        form_->Show();
        hwnd_ = PeerOf(*list_)->Handle();
        list_->SetRows({{"Alpha", {"a"}, -1, rcTicked},
                        {"- separator -", {""}, -1, rcNone},
                        {"Gamma", {"g"}, -1, rcClear},
                        {"Delta", {"d"}, -1, rcClear}});
    }

    int StateImage(int row) const {
        return static_cast<int>(ListView_GetItemState(hwnd_, row, LVIS_STATEIMAGEMASK) >> 12);
    }

    std::wstring Text(int row, int column) const {
        wchar_t text[64] = {};
        ListView_GetItemText(hwnd_, row, column, text, 64);
        return text;
    }

    // What a click on a row's check box does to the list.
    void UserSetsCheck(int row, TRowCheck check) {
        ListView_SetItemState(hwnd_, row, INDEXTOSTATEIMAGEMASK(check + 1), LVIS_STATEIMAGEMASK);
    }

    LPARAM RowCenter(int row) const {
        RECT rc{};
        ListView_GetItemRect(hwnd_, row, &rc, LVIR_LABEL);
        return MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    }

    TApplication app_{GetModuleHandleW(nullptr)};
    TForm* form_ = nullptr;
    TCheckListView* list_ = nullptr;
    HWND hwnd_ = nullptr;
};

TEST_F(CheckListPeerTest, RowsShowTheirTextsAndCheckBoxes) {
    EXPECT_EQ(ListView_GetItemCount(hwnd_), 4);
    EXPECT_EQ(Text(0, 0), L"Alpha");
    EXPECT_EQ(Text(2, 1), L"g");
    EXPECT_EQ(StateImage(0), 2);  // ticked
    EXPECT_EQ(StateImage(1), 0);  // no box at all
    EXPECT_EQ(StateImage(2), 1);  // clear
    list_->SetRow(2, {"Gamma", {"g2"}, -1, rcTicked});
    EXPECT_EQ(Text(2, 1), L"g2");
    EXPECT_EQ(StateImage(2), 2);
}

TEST_F(CheckListPeerTest, TickingIsReportedUnlessTheRowRefuses) {
    std::vector<std::pair<int, TRowCheck>> reported;
    list_->OnCheckChanged = [&](int row, TRowCheck state) { reported.emplace_back(row, state); };
    list_->OnCanToggle = [](int row) { return row != 3; };
    UserSetsCheck(2, rcTicked);
    UserSetsCheck(3, rcTicked);
    UserSetsCheck(0, rcClear);
    EXPECT_EQ(reported, (std::vector<std::pair<int, TRowCheck>>{{2, rcTicked}, {0, rcClear}}));
    EXPECT_EQ(StateImage(3), 1);  // refused: still clear
    EXPECT_EQ(list_->Rows(2).Check, rcTicked);
}

TEST_F(CheckListPeerTest, SelectionGoesBothWays) {
    int reports = 0;
    list_->OnSelectItem = [&](TObject&) { ++reports; };
    ListView_SetItemState(hwnd_, 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(hwnd_, 3, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list_->Selected(), (std::vector<int>{2, 3}));
    EXPECT_EQ(list_->FocusedRow(), 2);
    EXPECT_GE(reports, 1);
    const int before = reports;
    list_->SelectRows({0, 1}, 1);  // by code: shown, not reported back
    EXPECT_EQ(reports, before);
    EXPECT_EQ(ListView_GetSelectedCount(hwnd_), 2u);
    EXPECT_EQ(ListView_GetNextItem(hwnd_, -1, LVNI_FOCUSED), 1);
}

TEST_F(CheckListPeerTest, ADraggedRowIsDroppedOnTheRowUnderTheCursor) {
    std::vector<std::pair<int, int>> drops;
    list_->OnDrop = [&](int dragged, int target) { drops.emplace_back(dragged, target); };
    const auto beginDrag = [&](int row) {
        NMLISTVIEW begin{};
        begin.hdr.hwndFrom = hwnd_;
        begin.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_));
        begin.hdr.code = LVN_BEGINDRAG;
        begin.iItem = row;
        SendMessageW(GetParent(hwnd_), WM_NOTIFY, begin.hdr.idFrom,
                     reinterpret_cast<LPARAM>(&begin));
    };
    beginDrag(0);
    SendMessageW(hwnd_, WM_MOUSEMOVE, 0, RowCenter(2));
    EXPECT_NE(ListView_GetItemState(hwnd_, 2, LVIS_DROPHILITED), 0u);
    SendMessageW(hwnd_, WM_LBUTTONUP, 0, RowCenter(2));
    EXPECT_EQ(ListView_GetItemState(hwnd_, 2, LVIS_DROPHILITED), 0u);
    // On itself without Ctrl, or cancelled with Esc: nothing is dropped.
    beginDrag(1);
    SendMessageW(hwnd_, WM_LBUTTONUP, 0, RowCenter(1));
    beginDrag(1);
    SendMessageW(hwnd_, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageW(hwnd_, WM_LBUTTONUP, 0, RowCenter(3));
    EXPECT_EQ(drops, (std::vector<std::pair<int, int>>{{0, 2}}));
    EXPECT_NE(GetCapture(), hwnd_);
}

}  // namespace
}  // namespace nimbra
