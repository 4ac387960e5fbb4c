// The peer of the key box: an edit box that takes key presses instead of
// text. (The system's hot-key control reports stray keys after a release
// under some window systems; a box of our own shows the key in the
// program's key names, too.)
#include <windows.h>

#include <commctrl.h>

#include "base/Unicode.h"
#include "controls/Controls_win.h"
#include "controls/HotKeyEdit.h"
#include "controls/Peers_win.h"
#include "controls/ShortCuts.h"

namespace nimbra {

namespace {

bool IsModifierKey(WPARAM key) {
    switch (key) {
        case VK_SHIFT:
        case VK_CONTROL:
        case VK_MENU:
        case VK_LSHIFT:
        case VK_RSHIFT:
        case VK_LCONTROL:
        case VK_RCONTROL:
        case VK_LMENU:
        case VK_RMENU:
        case VK_LWIN:
        case VK_RWIN:
            return true;
        default:
            return false;
    }
}

// Keys that keep their meaning in a dialog: they move on, accept or cancel.
bool IsDialogKey(WPARAM key) {
    return key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE;
}

class THotKeyPeer : public TWinPeer {
  public:
    explicit THotKeyPeer(THotKey& box) : TWinPeer(box) {
        CreateSystemControl(WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
        Changed(TControlChange::State);
    }

    THotKey& Box() const { return static_cast<THotKey&>(Control()); }

    void Changed(TControlChange change) override {
        if (change == TControlChange::State) {
            ShowKey();
            return;
        }
        TWinPeer::Changed(change);
    }

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_GETDLGCODE: {
                const auto* msg = reinterpret_cast<const MSG*>(lParam);
                if (msg != nullptr && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) &&
                    IsDialogKey(msg->wParam))
                    return DLGC_WANTCHARS;
                return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
            }
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                if (IsDialogKey(wParam) || (message == WM_SYSKEYDOWN && wParam == VK_F4))
                    break;
                if (!IsModifierKey(wParam)) {
                    // Backspace and Delete empty the box; any other key is
                    // the key, without the modifiers held with it.
                    const bool clear = wParam == VK_BACK || wParam == VK_DELETE;
                    Box().KeyChangedByUser(clear ? 0 : static_cast<std::uint16_t>(wParam));
                    ShowKey();
                }
                return 0;
            case WM_CHAR:
            case WM_SYSCHAR:
            case WM_KEYUP:
            case WM_SYSKEYUP:
                if (IsDialogKey(wParam))
                    break;
                return 0;
            case WM_PASTE:
            case WM_CUT:
            case WM_CLEAR:
            case WM_UNDO:
            case WM_CONTEXTMENU:
                return 0;
            default:
                break;
        }
        return TWinPeer::WndProc(message, wParam, lParam);
    }

  private:
    void ShowKey() {
        const std::wstring text = ToWide(ShortCutToText(Box().Key()));
        SetWindowTextW(Handle(), text.c_str());
        SendMessageW(Handle(), EM_SETSEL, text.size(), text.size());
    }
};

}  // namespace

std::unique_ptr<TControlPeer> MakeHotKeyPeer(TControl& control) {
    return std::make_unique<THotKeyPeer>(static_cast<THotKey&>(control));
}

}  // namespace nimbra
