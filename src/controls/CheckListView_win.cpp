// The peer of the editor's report list.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "base/Unicode.h"
#include "controls/CheckListView.h"
#include "controls/Controls_win.h"
#include "controls/ListColumns_win.h"
#include "controls/Peers_win.h"
#include "shell/ShellImageList_win.h"

namespace nimbra {

namespace {

constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT kScrollInterval = 100;  // ms
constexpr int kScrollZone = 40;        // pixels from the top and bottom edges
constexpr int kLeastAutoColumnWidth = 40;

// The check box shows as state image 1 (clear) or 2 (ticked); 0 is none.
UINT StateImageOf(TRowCheck check) {
    return INDEXTOSTATEIMAGEMASK(check == rcNone ? 0 : static_cast<int>(check) + 1);
}

TRowCheck CheckOfState(UINT state) {
    switch ((state & LVIS_STATEIMAGEMASK) >> 12) {
        case 1:
            return rcClear;
        case 2:
            return rcTicked;
        default:
            return rcNone;
    }
}

class TCheckListPeerImpl : public TWinPeer, public TCheckListPeer {
  public:
    explicit TCheckListPeerImpl(TCheckListView& list) : TWinPeer(list), systemImages_(nullptr) {
        DWORD style =
            WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | LVS_NOSORTHEADER;
        if (!list.MultiSelect())
            style |= LVS_SINGLESEL;
        CreateSystemControl(WC_LISTVIEWW, style, WS_EX_CLIENTEDGE);
        DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
        if (list.CheckBoxes())
            extended |= LVS_EX_CHECKBOXES;
        ListView_SetExtendedListViewStyle(Handle(), extended);
        if (list.SystemImages())
            ListView_SetImageList(Handle(), systemImages_.Handle(), LVSIL_SMALL);
        InsertColumns();
        RowsChanged();
        SelectionChanged();
    }

    TCheckListView& List() const { return static_cast<TCheckListView&>(Control()); }

    // ---- TCheckListPeer ----

    void RowsChanged() override {
        const TGuard guard(pushing_);
        SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
        ListView_DeleteAllItems(Handle());
        for (int row = 0; row < List().RowCount(); ++row) {
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.pszText = const_cast<wchar_t*>(L"");
            ListView_InsertItem(Handle(), &item);
            PushRow(row);
        }
        SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(Handle(), nullptr, TRUE);
    }

    void RowChanged(int row) override {
        const TGuard guard(pushing_);
        PushRow(row);
    }

    void SelectionChanged() override {
        const TGuard guard(pushing_);
        ListView_SetItemState(Handle(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (int row : List().Selected())
            ListView_SetItemState(Handle(), row, LVIS_SELECTED, LVIS_SELECTED);
        if (const int focused = List().FocusedRow(); focused >= 0) {
            ListView_SetItemState(Handle(), focused, LVIS_FOCUSED, LVIS_FOCUSED);
            ListView_EnsureVisible(Handle(), focused, FALSE);
        }
    }

    void ColumnsChanged() override {
        SetListColumnCaptions(Handle(), *List().Columns());
        FitColumns();
    }

    // ---- messages ----

    void DpiChanged() override {
        TWinPeer::DpiChanged();
        FitColumns();
    }

    bool Reflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) override {
        if (message != WM_NOTIFY)
            return false;
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        switch (header->code) {
            case LVN_ITEMCHANGING:
                result = RefuseChange(*reinterpret_cast<NMLISTVIEW*>(header)) ? TRUE : FALSE;
                return true;
            case LVN_ITEMCHANGED:
                ItemChanged(*reinterpret_cast<NMLISTVIEW*>(header));
                result = 0;
                return true;
            case NM_DBLCLK: {
                const auto& activate = *reinterpret_cast<NMITEMACTIVATE*>(header);
                List().DoubleClicked(activate.iItem >= 0 &&
                                     (HitFlags(activate.ptAction) & LVHT_ONITEMSTATEICON) != 0);
                result = 0;
                return true;
            }
            case LVN_BEGINDRAG:
                BeginDrag(reinterpret_cast<NMLISTVIEW*>(header)->iItem);
                result = 0;
                return true;
            default:
                return false;
        }
    }

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_SIZE: {
                const LRESULT result = TWinPeer::WndProc(message, wParam, lParam);
                FitColumns();
                return result;
            }
            case WM_MOUSEMOVE:
                if (dragged_ >= 0) {
                    DragOver(POINT{GET_X(lParam), GET_Y(lParam)});
                    return 0;
                }
                break;
            case WM_LBUTTONUP:
                if (dragged_ >= 0) {
                    Drop(POINT{GET_X(lParam), GET_Y(lParam)});
                    return 0;
                }
                break;
            case WM_KEYDOWN:
                if (dragged_ >= 0 && wParam == VK_ESCAPE) {
                    EndDrag(false);
                    return 0;
                }
                break;
            case WM_CAPTURECHANGED:
                if (dragged_ >= 0 && reinterpret_cast<HWND>(lParam) != Handle())
                    EndDrag(false);
                break;
            case WM_TIMER:
                if (wParam == kScrollTimer) {
                    ScrollStep();
                    return 0;
                }
                break;
            default:
                break;
        }
        return TWinPeer::WndProc(message, wParam, lParam);
    }

  private:
    // Sets a flag for its lifetime.
    class TGuard {
      public:
        explicit TGuard(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
        TGuard(const TGuard&) = delete;
        TGuard& operator=(const TGuard&) = delete;
        ~TGuard() { flag_ = previous_; }

      private:
        bool& flag_;
        bool previous_;
    };

    static int GET_X(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
    static int GET_Y(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

    UINT HitFlags(POINT at) const {
        LVHITTESTINFO hit{};
        hit.pt = at;
        ListView_HitTest(Handle(), &hit);
        return hit.flags;
    }

    int RowAt(POINT at) const {
        LVHITTESTINFO hit{};
        hit.pt = at;
        const int row = ListView_HitTest(Handle(), &hit);
        return (hit.flags & LVHT_ONITEM) != 0 ? row : -1;
    }

    void InsertColumns() {
        InsertListColumns(Handle(), *List().Columns(), Dpi());
        FitColumns();
    }

    void FitColumns() {
        FitAutoSizeColumns(Handle(), *List().Columns(), Dpi(), kLeastAutoColumnWidth);
    }

    void PushRow(int row) {
        const TCheckListRow& data = List().Rows(row);
        std::wstring caption = ToWide(data.Caption);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
        item.iItem = row;
        item.pszText = caption.data();
        item.iImage = data.ImageIndex;
        item.state = List().CheckBoxes() ? StateImageOf(data.Check) : 0;
        item.stateMask = LVIS_STATEIMAGEMASK;
        ListView_SetItem(Handle(), &item);
        for (std::size_t i = 0; i < data.SubItems.size(); ++i) {
            std::wstring text = ToWide(data.SubItems[i]);
            ListView_SetItemText(Handle(), row, static_cast<int>(i) + 1, text.data());
        }
    }

    // A click on a check box the row may not change is refused before the
    // list changes it.
    bool RefuseChange(const NMLISTVIEW& change) const {
        if (pushing_ || change.iItem < 0 || (change.uChanged & LVIF_STATE) == 0)
            return false;
        if (((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) == 0)
            return false;
        return !List().CanToggle(change.iItem);
    }

    void ItemChanged(const NMLISTVIEW& change) {
        if (pushing_ || (change.uChanged & LVIF_STATE) == 0)
            return;
        if (change.iItem >= 0 && ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) != 0)
            List().CheckChangedByUser(change.iItem, CheckOfState(change.uNewState));
        if (((change.uNewState ^ change.uOldState) & (LVIS_SELECTED | LVIS_FOCUSED)) != 0 ||
            change.iItem < 0)
            ReportSelection();
    }

    void ReportSelection() {
        std::vector<int> rows;
        for (int row = ListView_GetNextItem(Handle(), -1, LVNI_SELECTED); row >= 0;
             row = ListView_GetNextItem(Handle(), row, LVNI_SELECTED))
            rows.push_back(row);
        List().SelectionChangedByUser(std::move(rows),
                                      ListView_GetNextItem(Handle(), -1, LVNI_FOCUSED));
    }

    // ---- dragging rows ----

    void BeginDrag(int row) {
        if (!List().DragReorder() || row < 0)
            return;
        dragged_ = row;
        target_ = -1;
        SetCapture(Handle());
        SetTimer(Handle(), kScrollTimer, kScrollInterval, nullptr);
    }

    void DragOver(POINT at) {
        const int row = RowAt(at);
        const bool valid = List().CanDrop(dragged_, row, (GetKeyState(VK_CONTROL) & 0x8000) != 0);
        MarkTarget(valid ? row : -1);
        // The mark says where the rows go: below or above the dragged one.
        SetCursor(LoadCursorW(nullptr, DropMark(dragged_, row, valid) != 0 ? IDC_ARROW : IDC_NO));
    }

    void Drop(POINT at) {
        const int dragged = dragged_;
        const int row = RowAt(at);
        const bool valid = List().CanDrop(dragged, row, (GetKeyState(VK_CONTROL) & 0x8000) != 0);
        EndDrag(valid);
        if (valid)
            List().DroppedByUser(dragged, row);
    }

    void EndDrag(bool dropped) {
        const int dragged = dragged_;
        dragged_ = -1;
        MarkTarget(-1);
        KillTimer(Handle(), kScrollTimer);
        if (GetCapture() == Handle())
            ReleaseCapture();
        if (!dropped && dragged >= 0 && dragged < List().RowCount())
            ListView_SetItemState(Handle(), dragged, LVIS_FOCUSED, LVIS_FOCUSED);
    }

    void MarkTarget(int row) {
        if (row == target_)
            return;
        if (target_ >= 0)
            ListView_SetItemState(Handle(), target_, 0, LVIS_DROPHILITED);
        target_ = row;
        if (target_ >= 0)
            ListView_SetItemState(Handle(), target_, LVIS_DROPHILITED, LVIS_DROPHILITED);
    }

    void ScrollStep() {
        if (dragged_ < 0) {
            KillTimer(Handle(), kScrollTimer);
            return;
        }
        POINT at;
        GetCursorPos(&at);
        ScreenToClient(Handle(), &at);
        RECT rc{};
        GetClientRect(Handle(), &rc);
        const int direction =
            DragScrollDirection(at.y, rc.bottom - rc.top, ScaleToDpi(kScrollZone, Dpi()));
        if (direction == 0)
            return;
        RECT item{};
        const int line =
            ListView_GetItemRect(Handle(), 0, &item, LVIR_BOUNDS) ? item.bottom - item.top : 16;
        ListView_Scroll(Handle(), 0, direction * line);
    }

    TShellImageList systemImages_;
    bool pushing_ = false;
    int dragged_ = -1;
    int target_ = -1;
};

}  // namespace

std::unique_ptr<TControlPeer> MakeCheckListPeer(TControl& control) {
    return std::make_unique<TCheckListPeerImpl>(static_cast<TCheckListView&>(control));
}

}  // namespace nimbra
