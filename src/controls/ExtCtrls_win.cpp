// The peers of containers (frames, panels, tab sheets) and pictures.
#include <windows.h>

#include <commctrl.h>

#include "base/Handles_win.h"
#include "controls/ComCtrls.h"
#include "controls/Controls_win.h"
#include "controls/ExtCtrls.h"
#include "controls/Graphics_win.h"
#include "controls/ImgList_win.h"
#include "controls/Peers_win.h"

namespace nimbra {

namespace {

// A window of our own class holding other controls; Tab moves through
// them. Panels may have a colour and a bevelled edge.
class TContainerPeer : public TWinPeer {
  public:
    explicit TContainerPeer(TWinControl& control) : TWinPeer(control) {
        CreateOwnWindow(WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT,
                        ParentHandle());
    }

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_ERASEBKGND: {
                RECT rc{};
                GetClientRect(Handle(), &rc);
                const TColor color = Control().Color();
                if (color == clDefault) {
                    FillRect(reinterpret_cast<HDC>(wParam), &rc, GetSysColorBrush(COLOR_BTNFACE));
                } else {
                    const TBrushHandle brush(CreateSolidBrush(ColorToRgb(color)));
                    FillRect(reinterpret_cast<HDC>(wParam), &rc, brush.Get());
                }
                return 1;
            }
            case WM_PAINT: {
                PAINTSTRUCT paint;
                const HDC dc = BeginPaint(Handle(), &paint);
                if (const auto* panel = dynamic_cast<const TPanel*>(&Control());
                    panel != nullptr && panel->BevelOuter() != bvNone) {
                    RECT rc{};
                    GetClientRect(Handle(), &rc);
                    DrawEdge(dc, &rc,
                             panel->BevelOuter() == bvRaised ? BDR_RAISEDOUTER : BDR_SUNKENOUTER,
                             BF_RECT);
                }
                EndPaint(Handle(), &paint);
                return 0;
            }
            case WM_SETFOCUS:
                // A container passes the focus on to its first control.
                if (const HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE);
                    first != nullptr && IsChild(Handle(), first)) {
                    ::SetFocus(first);
                    return 0;
                }
                break;
            default:
                break;
        }
        return TWinPeer::WndProc(message, wParam, lParam);
    }

    void Changed(TControlChange change) override {
        TWinPeer::Changed(change);
        // A tab's caption is drawn by its page control.
        if (change == TControlChange::Text && dynamic_cast<TTabSheet*>(&Control()) != nullptr &&
            Control().Parent() != nullptr && Control().Parent()->Peer() != nullptr)
            Control().Parent()->Peer()->Changed(TControlChange::State);
    }
};

// An icon of the program's resources at the control's size.
class TImagePeer : public TWinPeer {
  public:
    explicit TImagePeer(TImage& image) : TWinPeer(image) {
        CreateSystemControl(WC_STATICW, SS_ICON | SS_REALSIZECONTROL, 0);
        LoadImageForDpi();
    }

    void Changed(TControlChange change) override {
        if (change == TControlChange::State)
            LoadImageForDpi();
        TWinPeer::Changed(change);
    }

    void DpiChanged() override {
        TWinPeer::DpiChanged();
        LoadImageForDpi();
    }

    bool Reflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        if (message != WM_CTLCOLORSTATIC)
            return false;
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }

  private:
    void LoadImageForDpi() {
        const auto& image = static_cast<const TImage&>(Control());
        icon_.Reset(LoadProgramIcon(image.IconName(), ScaleToDpi(image.Width(), Dpi())));
        SendMessageW(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon_.Get()), 0);
    }

    TIconHandle icon_;
};

}  // namespace

std::unique_ptr<TControlPeer> MakeContainerPeer(TControl& control) {
    return std::make_unique<TContainerPeer>(static_cast<TWinControl&>(control));
}

std::unique_ptr<TControlPeer> MakeImagePeer(TControl& control) {
    return std::make_unique<TImagePeer>(static_cast<TImage&>(control));
}

}  // namespace nimbra
