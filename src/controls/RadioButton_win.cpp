// The peer of the radio button.
#include <windows.h>

#include <commctrl.h>

#include "controls/Controls_win.h"
#include "controls/Peers_win.h"
#include "controls/RadioButton.h"

namespace nimbra {

namespace {

class TRadioButtonPeer : public TWinPeer {
  public:
    explicit TRadioButtonPeer(TRadioButton& button) : TWinPeer(button) {
        // Not BS_AUTORADIOBUTTON: the model decides which button is ticked.
        CreateSystemControl(WC_BUTTONW, WS_TABSTOP | BS_RADIOBUTTON, 0);
        Changed(TControlChange::State);
    }

    TRadioButton& Button() const { return static_cast<TRadioButton&>(Control()); }

    void Changed(TControlChange change) override {
        if (change == TControlChange::State)
            SendMessageW(Handle(), BM_SETCHECK, Button().Checked() ? BST_CHECKED : BST_UNCHECKED,
                         0);
        TWinPeer::Changed(change);
    }

    bool Reflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            Button().Select();
            result = 0;
            return true;
        }
        if (message != WM_CTLCOLORSTATIC && message != WM_CTLCOLORBTN)
            return false;
        // The background of what the button sits on.
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }
};

}  // namespace

std::unique_ptr<TControlPeer> MakeRadioButtonPeer(TControl& control) {
    return std::make_unique<TRadioButtonPeer>(static_cast<TRadioButton&>(control));
}

}  // namespace nimbra
