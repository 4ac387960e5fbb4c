// The peer of the page list: the system's list box, its rows drawn by the
// program.
#include <windows.h>

#include <commctrl.h>

#include "base/Unicode.h"
#include "controls/Controls_win.h"
#include "controls/ImgList.h"
#include "controls/ImgList_win.h"
#include "controls/PageListBox.h"
#include "controls/Peers_win.h"

namespace nimbra {

namespace {

constexpr int kImageTop = 6;  // design pixels above the picture

class TPageListBoxPeer : public TOwnerDrawListPeer {
  public:
    explicit TPageListBoxPeer(TPageListBox& list)
        : TOwnerDrawListPeer(list, LBN_SELCHANGE, LB_GETCURSEL) {
        // No strings: the rows are the model's, drawn from it.
        CreateSystemControl(
            WC_LISTBOXW,
            WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
            WS_EX_CLIENTEDGE);
        Initialize();
    }

    TPageListBox& List() const { return static_cast<TPageListBox&>(Control()); }

  protected:
    void SelectionChanged(int index) override { List().ItemIndexChangedByUser(index); }

    void Fill() override {
        SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
        SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
        for (std::size_t i = 0; i < List().Items().size(); ++i)
            SendMessageW(Handle(), LB_ADDSTRING, 0, static_cast<LPARAM>(i));
        SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(List().ItemIndex()), 0);
        SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(Handle(), nullptr, TRUE);
    }

    // The system asks for the row height while the window is made, before
    // the peer hears it; it is set here instead.
    void SetRowHeights() override {
        int textHeight = 13;
        if (const HDC dc = GetDC(Handle())) {
            const HGDIOBJ old = SelectObject(dc, FontHandle());
            SIZE size{};
            if (GetTextExtentPoint32W(dc, L"A", 1, &size))
                textHeight = size.cy;
            SelectObject(dc, old);
            ReleaseDC(Handle(), dc);
        }
        SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, PageListRowHeight(textHeight, Dpi()));
        InvalidateRect(Handle(), nullptr, TRUE);
    }

    void DrawRow(const DRAWITEMSTRUCT& draw) override {
        const bool selected = (draw.itemState & ODS_SELECTED) != 0;
        FillRect(draw.hDC, &draw.rcItem,
                 GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        const auto row = static_cast<std::size_t>(draw.itemID);
        if (static_cast<int>(draw.itemID) < 0 || row >= List().Items().size())
            return;
        const TPageListItem& item = List().Items()[row];
        const int dpi = Dpi();
        const int top = draw.rcItem.top + ScaleToDpi(kImageTop, dpi);
        int imageHeight = 0;
        if (TCustomImageList* images = List().Images();
            images != nullptr && item.ImageIndex >= 0 && item.ImageIndex < images->Count()) {
            const int size = ScaleToDpi(images->Width(), dpi);
            imageHeight = ScaleToDpi(images->Height(), dpi);
            const int left = (draw.rcItem.left + draw.rcItem.right - size) / 2;
            ImageList_Draw(ImageListHandle(*images, dpi), item.ImageIndex, draw.hDC, left, top,
                           ILD_TRANSPARENT);
        }
        RECT text = draw.rcItem;
        text.top = top + imageHeight + ScaleToDpi(2, dpi);
        const std::wstring title = ToWide(item.Title);
        SetBkMode(draw.hDC, TRANSPARENT);
        SetTextColor(draw.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        const HGDIOBJ old = SelectObject(draw.hDC, FontHandle());
        DrawTextW(draw.hDC, title.c_str(), static_cast<int>(title.size()), &text,
                  DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(draw.hDC, old);
        if ((draw.itemState & ODS_FOCUS) != 0)
            DrawFocusRect(draw.hDC, &draw.rcItem);
    }
};

}  // namespace

std::unique_ptr<TControlPeer> MakePageListBoxPeer(TControl& control) {
    return std::make_unique<TPageListBoxPeer>(static_cast<TPageListBox&>(control));
}

}  // namespace nimbra
