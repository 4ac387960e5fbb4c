// The peer of the owner-data report list.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "base/Unicode.h"
#include "controls/ComCtrls.h"
#include "controls/Controls_win.h"
#include "controls/Forms_win.h"
#include "controls/ListColumns_win.h"
#include "controls/Peers_win.h"
#include "shell/ShellImageList_win.h"
#include "utils/ConfigUtils.h"
#include "utils/WindowPlacement.h"

namespace nimbra {

namespace {

// The texts of a row as the list shows them: the list keeps the pointers it
// is given until it draws, so they live here until the row changes.
struct TRowTexts {
    std::vector<std::wstring> Columns;
    int Indent = 0;
    int ImageIndex = -1;
};

// Tools outside the process (the end-to-end tests, screen readers' helpers)
// ask a row's state with this message: wParam the row, the answer 1 when the
// row is drawn in bold (it matches the request).
const UINT kRowStateMessage = RegisterWindowMessageW(L"Nimbra.RowState");

// Rows drawn recently; a screen shows far fewer.
constexpr std::size_t kRowCacheLimit = 512;
constexpr int kLeastAutoColumnWidth = 40;

class TListViewPeerImpl : public TWinPeer, public TListViewPeer {
  public:
    explicit TListViewPeerImpl(TListViewEx& list) : TWinPeer(list), systemImages_(nullptr) {
        DWORD style = WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
                      LVS_SHAREIMAGELISTS | LVS_NOSORTHEADER;
        if (!list.HideSelection())
            style |= LVS_SHOWSELALWAYS;
        CreateSystemControl(WC_LISTVIEWW, style, WS_EX_CLIENTEDGE);
        DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
        if (list.FullDrag())
            extended |= LVS_EX_HEADERDRAGDROP;
        ListView_SetExtendedListViewStyle(Handle(), extended);
        // The system's image list is shared by every program: the list must
        // never free it (LVS_SHAREIMAGELISTS).
        if (list.SystemImages())
            ListView_SetImageList(Handle(), systemImages_.Handle(), LVSIL_SMALL);
        InsertColumns();
        LoadColumns();
        SetRowCount(list.RowCount());
        if (list.SelectedRow() >= 0)
            SelectRow(list.SelectedRow());
    }

    ~TListViewPeerImpl() override {
        if (Handle() != nullptr)
            SaveColumns();
    }

    TListViewEx& List() const { return static_cast<TListViewEx&>(Control()); }

    // ---- TListViewPeer ----

    void SetRowCount(int count) override {
        rows_.clear();
        ListView_SetItemCountEx(Handle(), count, 0);
    }

    void SelectRow(int row) override {
        selecting_ = true;
        // The list holds one selected row at most; clearing "every row"
        // instead costs a pass over all of them in some list controls,
        // which at 100k rows is most of a keystroke.
        const int selected = ListView_GetNextItem(Handle(), -1, LVNI_SELECTED);
        if (selected >= 0 && selected != row)
            ListView_SetItemState(Handle(), selected, 0, LVIS_SELECTED);
        if (row >= 0) {
            ListView_SetItemState(Handle(), row, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
            ListView_EnsureVisible(Handle(), row, FALSE);
        }
        selecting_ = false;
    }

    void RedrawRow(int row) override {
        rows_.erase(row);
        ListView_RedrawItems(Handle(), row, row);
    }

    void InvalidateRows() override {
        rows_.clear();
        InvalidateRect(Handle(), nullptr, FALSE);
    }

    void ColumnsChanged() override {
        SetListColumnCaptions(Handle(), *List().Columns());
        FitAutoSizeColumns();
    }

    // ---- messages ----

    void DpiChanged() override {
        TWinPeer::DpiChanged();
        rows_.clear();
        FitAutoSizeColumns();
    }

    bool Reflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) override {
        if (message != WM_NOTIFY)
            return false;
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        switch (header->code) {
            case LVN_GETDISPINFOW:
                FillItem(reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header))->item);
                result = 0;
                return true;
            case NM_CUSTOMDRAW:
                result = CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(header)));
                return true;
            case LVN_ITEMCHANGED:
            case LVN_ODSTATECHANGED:
                if (!selecting_)
                    List().SelectionChangedByUser(
                        ListView_GetNextItem(Handle(), -1, LVNI_SELECTED));
                result = 0;
                return true;
            case NM_DBLCLK:
                List().DoubleClicked();
                result = 0;
                return true;
            case LVN_ODFINDITEMW:
                // Typing goes to the search, never to a search of the list.
                result = -1;
                return true;
            default:
                return false;
        }
    }

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kRowStateMessage && kRowStateMessage != 0)
            return List().OnRowBold && List().OnRowBold(static_cast<int>(wParam)) ? 1 : 0;
        switch (message) {
            case WM_SIZE: {
                const LRESULT result = TWinPeer::WndProc(message, wParam, lParam);
                FitAutoSizeColumns();
                return result;
            }
            case WM_NOTIFY: {
                // The header tells its own list view that the user resized a
                // column: the design width follows.
                const auto* header = reinterpret_cast<const NMHDR*>(lParam);
                if (header->code == HDN_ENDTRACKW)
                    columnsTracked_ = true;
                break;
            }
            default:
                break;
        }
        return TWinPeer::WndProc(message, wParam, lParam);
    }

  private:
    int ColumnCount() const { return Header_GetItemCount(ListView_GetHeader(Handle())); }

    void InsertColumns() { InsertListColumns(Handle(), *List().Columns(), Dpi()); }

    void FitAutoSizeColumns() {
        nimbra::FitAutoSizeColumns(Handle(), *List().Columns(), Dpi(), kLeastAutoColumnWidth);
    }

    std::string StorePrefix() const { return List().ComponentPath(); }

    // The stored order and widths (design pixels) of the columns.
    void LoadColumns() {
        auto& columns = *List().Columns();
        std::vector<TListColumnState> states;
        for (int i = 0; i < columns.Count(); ++i)
            states.push_back({columns.Items(i)->ID(), columns.Items(i)->Width()});
        LoadListColumns(AppIni(), List().ColumnsSection(), StorePrefix(), states,
                        List().FullDrag());
        std::vector<int> order;
        for (const TListColumnState& state : states) {
            for (int i = 0; i < columns.Count(); ++i) {
                if (columns.Items(i)->ID() == state.ID) {
                    order.push_back(i);
                    columns.Items(i)->SetWidth(state.Width);
                    ListView_SetColumnWidth(Handle(), i, ScaleToDpi(state.Width, Dpi()));
                }
            }
        }
        if (static_cast<int>(order.size()) == columns.Count())
            ListView_SetColumnOrderArray(Handle(), static_cast<int>(order.size()), order.data());
        FitAutoSizeColumns();
    }

    void SaveColumns() {
        auto& columns = *List().Columns();
        const int count = ColumnCount();
        std::vector<int> order(static_cast<std::size_t>(count));
        if (count > 0)
            ListView_GetColumnOrderArray(Handle(), count, order.data());
        const int dpi = Dpi();
        std::vector<TListColumnState> states;
        for (int index : order) {
            if (index < 0 || index >= columns.Count())
                continue;
            // Widths are kept in design pixels, so they survive a move to a
            // monitor of another resolution.
            int width = ScaleFromDpi(ListView_GetColumnWidth(Handle(), index), dpi);
            if (columns.Items(index)->AutoSize() && !columnsTracked_)
                width = columns.Items(index)->Width();
            states.push_back({columns.Items(index)->ID(), width});
        }
        SaveListColumns(AppIni(), List().ColumnsSection(), StorePrefix(), states);
    }

    const TRowTexts& Row(int row) {
        auto it = rows_.find(row);
        if (it != rows_.end())
            return it->second;
        if (rows_.size() >= kRowCacheLimit)
            rows_.clear();
        TRowTexts texts;
        TListRow data;
        if (List().OnData && List().OnData(row, data)) {
            texts.Columns.push_back(ToWide(data.Caption));
            for (const std::string& sub : data.SubItems)
                texts.Columns.push_back(ToWide(sub));
            texts.Indent = data.Indent;
            texts.ImageIndex = data.ImageIndex;
        }
        return rows_.emplace(row, std::move(texts)).first->second;
    }

    void FillItem(LVITEMW& item) {
        const TRowTexts& row = Row(item.iItem);
        if ((item.mask & LVIF_TEXT) != 0) {
            const auto column = static_cast<std::size_t>(item.iSubItem);
            item.pszText = column < row.Columns.size()
                               ? const_cast<wchar_t*>(row.Columns[column].c_str())
                               : const_cast<wchar_t*>(L"");
        }
        if (item.iSubItem == 0) {
            if ((item.mask & LVIF_IMAGE) != 0)
                item.iImage = row.ImageIndex;
            if ((item.mask & LVIF_INDENT) != 0)
                item.iIndent = row.Indent;
        }
    }

    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) {
        switch (draw.nmcd.dwDrawStage) {
            case CDDS_PREPAINT:
                if (Application != nullptr) {
                    TFont bold;
                    bold.Assign(*List().Font());
                    bold.SetStyle(bold.Style() + TFontStyles{fsBold});
                    boldFont_ = Application->Fonts().Get(bold, Dpi());
                }
                return CDRF_NOTIFYITEMDRAW;
            case CDDS_ITEMPREPAINT: {
                const int row = static_cast<int>(draw.nmcd.dwItemSpec);
                if (boldFont_ != nullptr && List().OnRowBold && List().OnRowBold(row)) {
                    SelectObject(draw.nmcd.hdc, boldFont_);
                    return CDRF_NEWFONT;
                }
                return CDRF_DODEFAULT;
            }
            default:
                return CDRF_DODEFAULT;
        }
    }

    TShellImageList systemImages_;
    std::unordered_map<int, TRowTexts> rows_;
    bool selecting_ = false;
    bool columnsTracked_ = false;
    HFONT boldFont_ = nullptr;  // the list's font in bold, from the font cache
};

}  // namespace

std::unique_ptr<TControlPeer> MakeListViewPeer(TControl& control) {
    return std::make_unique<TListViewPeerImpl>(static_cast<TListViewEx&>(control));
}

}  // namespace nimbra
