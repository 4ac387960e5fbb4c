// The peer of the drop-down list with icons: the system's combo box, its
// rows drawn by the program.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "base/Unicode.h"
#include "controls/Controls_win.h"
#include "controls/ImageComboBox.h"
#include "controls/Peers_win.h"
#include "shell/ShellImageList_win.h"

namespace nimbra {

namespace {

constexpr int kIconGap = 4;  // design pixels around the icon

class TImageComboBoxPeer : public TOwnerDrawListPeer {
  public:
    explicit TImageComboBoxPeer(TImageComboBox& box)
        : TOwnerDrawListPeer(box, CBN_SELCHANGE, CB_GETCURSEL), images_(nullptr) {
        CreateSystemControl(
            WC_COMBOBOXW,
            WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 0);
        Initialize();
    }

    TImageComboBox& Box() const { return static_cast<TImageComboBox&>(Control()); }

  protected:
    void Fill() override { FillComboBoxWindow(Handle(), Box()); }
    void SelectionChanged(int index) override { Box().ItemIndexChangedByUser(index); }

    // Rows as high as a small icon or the text, whichever is more.
    void SetRowHeights() override {
        const int dpi = Dpi();
        int height = GetSystemMetricsForDpi(SM_CYSMICON, static_cast<UINT>(dpi));
        if (const HDC dc = GetDC(Handle())) {
            const HGDIOBJ old = SelectObject(dc, FontHandle());
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc, &metrics);
            SelectObject(dc, old);
            ReleaseDC(Handle(), dc);
            height = std::max(height, static_cast<int>(metrics.tmHeight));
        }
        height += 2;
        SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
        SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, height);
    }

    void DrawRow(const DRAWITEMSTRUCT& draw) override {
        const bool selected = (draw.itemState & ODS_SELECTED) != 0;
        FillRect(draw.hDC, &draw.rcItem,
                 GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        if (static_cast<int>(draw.itemID) < 0)
            return;
        const int row = static_cast<int>(draw.itemID);
        const int dpi = Dpi();
        const int gap = ScaleToDpi(kIconGap, dpi);
        const int icon = GetSystemMetricsForDpi(SM_CXSMICON, static_cast<UINT>(dpi));
        RECT text = draw.rcItem;
        text.left += gap;
        if (const int image = Box().RowImage(row); image >= 0 && images_.Handle() != nullptr) {
            const int top = draw.rcItem.top + (draw.rcItem.bottom - draw.rcItem.top - icon) / 2;
            ImageList_Draw(images_.Handle(), image, draw.hDC, text.left, top,
                           ILD_TRANSPARENT | (selected ? ILD_SELECTED : ILD_NORMAL));
        }
        text.left += icon + gap;
        const std::wstring caption =
            row < Box().Items()->Count() ? ToWide(Box().Items()->Strings(row)) : std::wstring();
        SetBkMode(draw.hDC, TRANSPARENT);
        const bool enabled = (draw.itemState & ODS_DISABLED) == 0;
        SetTextColor(draw.hDC, GetSysColor(!enabled   ? COLOR_GRAYTEXT
                                           : selected ? COLOR_HIGHLIGHTTEXT
                                                      : COLOR_WINDOWTEXT));
        DrawTextW(draw.hDC, caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if ((draw.itemState & ODS_FOCUS) != 0 && (draw.itemState & ODS_COMBOBOXEDIT) == 0)
            DrawFocusRect(draw.hDC, &draw.rcItem);
    }

  private:
    TShellImageList images_;
};

}  // namespace

std::unique_ptr<TControlPeer> MakeImageComboBoxPeer(TControl& control) {
    return std::make_unique<TImageComboBoxPeer>(static_cast<TImageComboBox&>(control));
}

}  // namespace nimbra
