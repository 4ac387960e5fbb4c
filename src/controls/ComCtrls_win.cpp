// The peers of page controls, status bars and tool bars.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "base/Unicode.h"
#include "controls/ComCtrls.h"
#include "controls/Controls_win.h"
#include "controls/ImgList_win.h"
#include "controls/Menus.h"
#include "controls/Menus_win.h"
#include "controls/Peers_win.h"

namespace nimbra {

namespace {

// ---- page control -----------------------------------------------------------------------

// Tabs whose pages (the tab sheets) sit in the tab control's display area.
class TPageControlPeer : public TWinPeer {
  public:
    explicit TPageControlPeer(TPageControl& pages) : TWinPeer(pages) {
        CreateSystemControl(WC_TABCONTROLW, WS_CLIPCHILDREN | TCS_FOCUSNEVER, WS_EX_CONTROLPARENT);
        Changed(TControlChange::State);
    }

    void Changed(TControlChange change) override {
        if (change != TControlChange::State) {
            TWinPeer::Changed(change);
            return;
        }
        auto& pages = static_cast<TPageControl&>(Control());
        TabCtrl_DeleteAllItems(Handle());
        for (int i = 0; i < pages.PageCount(); ++i) {
            std::wstring caption = ToWide(pages.Pages(i)->Caption());
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = caption.data();
            TabCtrl_InsertItem(Handle(), i, &item);
            if (pages.Pages(i) == pages.ActivePage())
                TabCtrl_SetCurSel(Handle(), i);
        }
    }

    bool GetClientSize(TSize& size) const override {
        const RECT rc = DisplayArea();
        size = {rc.right - rc.left, rc.bottom - rc.top};
        return true;
    }

    // The pages are placed in the display area, below the tabs.
    void ApplyChildBounds(const std::vector<TControl*>& children) override {
        const RECT area = DisplayArea();
        for (TControl* child : children) {
            const TWinPeer* peer = PeerOf(*child);
            if (peer == nullptr)
                continue;
            const TRect& r = child->BoundsRect();
            SetWindowPos(peer->Handle(), nullptr, area.left + r.Left, area.top + r.Top, r.Width(),
                         r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    bool Reflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) override {
        if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != TCN_SELCHANGE)
            return false;
        auto& pages = static_cast<TPageControl&>(Control());
        const int index = TabCtrl_GetCurSel(Handle());
        if (index >= 0 && index < pages.PageCount())
            pages.SetActivePage(pages.Pages(index));
        result = 0;
        return true;
    }

  private:
    RECT DisplayArea() const {
        RECT rc{};
        GetClientRect(Handle(), &rc);
        TabCtrl_AdjustRect(Handle(), FALSE, &rc);
        return rc;
    }
};

// ---- status bar -------------------------------------------------------------------------

class TStatusBarPeer : public TWinPeer {
  public:
    explicit TStatusBarPeer(TStatusBar& bar) : TWinPeer(bar) {
        CreateSystemControl(STATUSCLASSNAMEW, CCS_NOPARENTALIGN | CCS_NORESIZE | SBARS_SIZEGRIP, 0);
        SendMessageW(Handle(), SB_SIMPLE, TRUE, 0);
        Changed(TControlChange::State);
    }

    void Changed(TControlChange change) override {
        if (change == TControlChange::State) {
            const std::wstring text = ToWide(static_cast<TStatusBar&>(Control()).SimpleText());
            SendMessageW(Handle(), SB_SETTEXTW, SB_SIMPLEID,
                         reinterpret_cast<LPARAM>(text.c_str()));
            return;
        }
        TWinPeer::Changed(change);
    }
};

// ---- tool bar ---------------------------------------------------------------------------

// Flat buttons drawn by the system's tool bar, each as wide as the layout
// made its tool button; the state and captions come from the buttons.
class TToolBarPeer : public TWinPeer {
  public:
    explicit TToolBarPeer(TToolBar& bar) : TWinPeer(bar) {
        CreateSystemControl(TOOLBARCLASSNAMEW,
                            TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS | CCS_NODIVIDER |
                                CCS_NORESIZE | CCS_NOPARENTALIGN,
                            0);
        SendMessageW(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        SendMessageW(Handle(), TB_SETEXTENDEDSTYLE, 0,
                     TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS);
        Rebuild();
    }

    TToolBar& Bar() const { return static_cast<TToolBar&>(Control()); }

    void Changed(TControlChange change) override {
        if (change == TControlChange::State) {
            Rebuild();
            return;
        }
        TWinPeer::Changed(change);
    }

    void ApplyChildBounds(const std::vector<TControl*>&) override { Rebuild(); }

    void DpiChanged() override {
        TWinPeer::DpiChanged();
        Rebuild();
    }

    bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message == WM_COMMAND) {
            if (TToolButton* button = ButtonOf(LOWORD(wParam)))
                button->Click();
            result = 0;
            return true;
        }
        if (message != WM_NOTIFY)
            return false;
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == TBN_DROPDOWN) {
            const auto* info = reinterpret_cast<const NMTOOLBARW*>(lParam);
            TToolButton* button = ButtonOf(info->iItem);
            if (button != nullptr && button->DropdownMenu() != nullptr) {
                POINT at{info->rcButton.left, info->rcButton.bottom};
                ClientToScreen(Handle(), &at);
                PopupMenuAt(*button->DropdownMenu(), {at.x, at.y}, Handle());
            }
            result = TBDDRET_DEFAULT;
            return true;
        }
        if (header->code == TBN_GETINFOTIPW) {
            auto* tip = reinterpret_cast<NMTBGETINFOTIPW*>(lParam);
            if (TToolButton* button = ButtonOf(tip->iItem)) {
                const std::wstring text = ToWide(GetShortHint(button->Hint()));
                lstrcpynW(tip->pszText, text.c_str(), tip->cchTextMax);
            }
            result = 0;
            return true;
        }
        return false;
    }

  private:
    static constexpr int kFirstCommand = 1;

    TToolButton* ButtonOf(int command) const {
        const int index = command - kFirstCommand;
        return index >= 0 && index < Bar().ButtonCount() ? Bar().Buttons(index) : nullptr;
    }

    void Rebuild() {
        const HWND hwnd = Handle();
        SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
        while (SendMessageW(hwnd, TB_BUTTONCOUNT, 0, 0) > 0)
            SendMessageW(hwnd, TB_DELETEBUTTON, 0, 0);
        const int dpi = Dpi();
        HIMAGELIST images =
            Bar().Images() != nullptr ? ImageListHandle(*Bar().Images(), dpi) : nullptr;
        SendMessageW(hwnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
        captions_.clear();
        captions_.reserve(static_cast<std::size_t>(Bar().ButtonCount()));
        int height = 0;
        for (int i = 0; i < Bar().ButtonCount(); ++i) {
            TToolButton& button = *Bar().Buttons(i);
            captions_.push_back(ToWide(button.Caption()));
            TBBUTTON b{};
            b.idCommand = kFirstCommand + i;
            b.iBitmap =
                images != nullptr && button.ImageIndex() >= 0 ? button.ImageIndex() : I_IMAGENONE;
            b.fsState = static_cast<BYTE>((button.Enabled() ? TBSTATE_ENABLED : 0) |
                                          (button.Down() ? TBSTATE_CHECKED : 0) |
                                          (button.Visible() ? 0 : TBSTATE_HIDDEN));
            b.fsStyle = static_cast<BYTE>(BTNS_BUTTON | BTNS_SHOWTEXT);
            if (button.Style() == tbsSeparator)
                b.fsStyle = BTNS_SEP;
            else if (button.Style() == tbsDropDown)
                b.fsStyle |= button.WholeDropDown() ? BTNS_WHOLEDROPDOWN : BTNS_DROPDOWN;
            b.iString = reinterpret_cast<INT_PTR>(captions_.back().c_str());
            SendMessageW(hwnd, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&b));
            TBBUTTONINFOW size{};
            size.cbSize = sizeof size;
            size.dwMask = TBIF_SIZE;
            size.cx = static_cast<WORD>(button.BoundsRect().Width());
            SendMessageW(hwnd, TB_SETBUTTONINFOW, static_cast<WPARAM>(b.idCommand),
                         reinterpret_cast<LPARAM>(&size));
            height = std::max(height, button.BoundsRect().Height());
        }
        if (height > 0)
            SendMessageW(hwnd, TB_SETBUTTONSIZE, 0, MAKELPARAM(0, height));
        SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd, nullptr, TRUE);
    }

    std::vector<std::wstring> captions_;
};

}  // namespace

std::unique_ptr<TControlPeer> MakePageControlPeer(TControl& control) {
    return std::make_unique<TPageControlPeer>(static_cast<TPageControl&>(control));
}

std::unique_ptr<TControlPeer> MakeStatusBarPeer(TControl& control) {
    return std::make_unique<TStatusBarPeer>(static_cast<TStatusBar&>(control));
}

std::unique_ptr<TControlPeer> MakeToolBarPeer(TControl& control) {
    return std::make_unique<TToolBarPeer>(static_cast<TToolBar&>(control));
}

}  // namespace nimbra
