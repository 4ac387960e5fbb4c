// The peers of labels, edits, buttons, check boxes, combo boxes and group
// boxes.
#include <windows.h>

#include <commctrl.h>

#include "base/MessageWindow_win.h"
#include "base/Unicode.h"
#include "controls/Controls_win.h"
#include "controls/Peers_win.h"
#include "controls/Spin.h"
#include "controls/StdCtrls.h"

namespace nimbra {

namespace {

std::string WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return ToUtf8(text);
}

// Static texts and check boxes show the background of what they sit on.
bool AnswerTransparentColor(UINT message, WPARAM wParam, LRESULT& result) {
    if (message != WM_CTLCOLORSTATIC && message != WM_CTLCOLORBTN)
        return false;
    const auto dc = reinterpret_cast<HDC>(wParam);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
}

// ---- label ------------------------------------------------------------------------------

class TLabelPeer : public TWinPeer {
  public:
    explicit TLabelPeer(TLabel& label) : TWinPeer(label) {
        CreateSystemControl(WC_STATICW, StyleOf(label), 0);
    }

    void Changed(TControlChange change) override {
        if (change == TControlChange::State) {
            SetWindowLongPtrW(Handle(), GWL_STYLE,
                              (GetWindowLongPtrW(Handle(), GWL_STYLE) & ~0xFFL) |
                                  StyleOf(static_cast<TLabel&>(Control())));
        }
        TWinPeer::Changed(change);
    }

    bool Reflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        return AnswerTransparentColor(message, wParam, result);
    }

  private:
    static DWORD StyleOf(const TLabel& label) {
        return label.WordWrap() ? SS_LEFT : SS_LEFTNOWORDWRAP;
    }
};

// ---- edit -------------------------------------------------------------------------------

class TEditPeerImpl : public TWinPeer, public TEditPeer {
  public:
    explicit TEditPeerImpl(TEdit& edit) : TWinPeer(edit) {
        DWORD style = WS_TABSTOP | ES_AUTOHSCROLL;
        if (!edit.HideSelection())
            style |= ES_NOHIDESEL;
        if (edit.ReadOnly())
            style |= ES_READONLY;
        CreateSystemControl(WC_EDITW, style, WS_EX_CLIENTEDGE);
        if (edit.MaxLength() > 0)
            SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(edit.MaxLength()), 0);
    }

    TEdit& Edit() const { return static_cast<TEdit&>(Control()); }

    void SelectAll() override { SendMessageW(Handle(), EM_SETSEL, 0, -1); }
    void SetSelection(int start, int length) override {
        SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(start),
                     static_cast<LPARAM>(start + length));
    }
    void GetSelection(int& start, int& length) const override {
        DWORD from = 0;
        DWORD to = 0;
        SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        start = static_cast<int>(from);
        length = static_cast<int>(to - from);
    }

    void Changed(TControlChange change) override {
        if (change == TControlChange::State) {
            SendMessageW(Handle(), EM_SETREADONLY, Edit().ReadOnly() ? TRUE : FALSE, 0);
            SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(Edit().MaxLength()), 0);
        }
        TWinPeer::Changed(change);
    }
    bool Reflected(UINT message, WPARAM wParam, LPARAM, LRESULT&) override {
        if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && !SettingText()) {
            Control().TextChangedByUser(WindowText(Handle()));
            return true;
        }
        return false;
    }

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_GETDLGCODE: {
                // An edit that handles its keys itself also gets Enter.
                LRESULT code = TWinPeer::WndProc(message, wParam, lParam);
                if (Edit().OnKeyDown && wParam == VK_RETURN)
                    code |= DLGC_WANTALLKEYS;
                return code;
            }
            case WM_SETFOCUS: {
                const LRESULT result = TWinPeer::WndProc(message, wParam, lParam);
                if (Edit().AutoSelect())
                    SelectAll();
                return result;
            }
            default:
                return TWinPeer::WndProc(message, wParam, lParam);
        }
    }
};

// ---- numeric edit: an edit with arrows --------------------------------------------------

class TNumericEditPeer : public TEditPeerImpl {
  public:
    explicit TNumericEditPeer(TNumericEdit& edit) : TEditPeerImpl(edit) {
        SetWindowLongPtrW(Handle(), GWL_STYLE, GetWindowLongPtrW(Handle(), GWL_STYLE) | ES_RIGHT);
        arrows_.Reset(CreateWindowExW(
            0, UPDOWN_CLASSW, nullptr, WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_HOTTRACK, 0, 0,
            0, 0, ParentHandle(), nullptr, GetModuleHandleW(nullptr), nullptr));
        // The arrows' notifications reach this peer through the parent.
        CREATESTRUCTW create{};
        create.lpCreateParams = static_cast<TWinPeer*>(this);
        AttachWindowObject(arrows_.Get(), create);
        PlaceArrows();
    }

    ~TNumericEditPeer() override {
        if (arrows_)
            DetachWindowObject(arrows_.Get());
    }

    bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (message == WM_NOTIFY && header->hwndFrom == arrows_.Get() &&
            header->code == UDN_DELTAPOS) {
            // The model steps and wraps; the control's own position is unused.
            auto& edit = static_cast<TNumericEdit&>(Control());
            if (reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta < 0)
                edit.StepUp();
            else
                edit.StepDown();
            result = 1;
            return true;
        }
        return TEditPeerImpl::Reflected(message, wParam, lParam, result);
    }

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_WINDOWPOSCHANGED || message == WM_SHOWWINDOW) {
            const LRESULT result = TEditPeerImpl::WndProc(message, wParam, lParam);
            PlaceArrows();
            return result;
        }
        if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
            auto& edit = static_cast<TNumericEdit&>(Control());
            wParam == VK_UP ? edit.StepUp() : edit.StepDown();
            return 0;
        }
        return TEditPeerImpl::WndProc(message, wParam, lParam);
    }

  private:
    // The arrows cover the right end of the edit; its text keeps clear of
    // them.
    void PlaceArrows() {
        if (!arrows_)
            return;
        RECT rc{};
        GetWindowRect(Handle(), &rc);
        MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&rc), 2);
        const int width = GetSystemMetricsForDpi(SM_CXVSCROLL, static_cast<UINT>(Dpi()));
        SetWindowPos(arrows_.Get(), HWND_TOP, rc.right - width - 2, rc.top + 2, width,
                     rc.bottom - rc.top - 4, SWP_NOACTIVATE);
        SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
        ShowWindow(arrows_.Get(), IsWindowVisible(Handle()) ? SW_SHOWNA : SW_HIDE);
    }

    TWindowHandle arrows_;
};

// ---- buttons and check boxes ------------------------------------------------------------

class TButtonPeer : public TWinPeer {
  public:
    explicit TButtonPeer(TButton& button) : TWinPeer(button) {
        const int id = button.Default() ? IDOK : button.Cancel() ? IDCANCEL : 0;
        CreateSystemControl(
            WC_BUTTONW, WS_TABSTOP | (button.Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, id);
    }

    void Changed(TControlChange change) override {
        if (change == TControlChange::State) {
            const bool isDefault = static_cast<TButton&>(Control()).Default();
            SendMessageW(Handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
        }
        TWinPeer::Changed(change);
    }

    bool Reflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            Control().Click();
            result = 0;
            return true;
        }
        return false;
    }
};

class TCheckBoxPeer : public TWinPeer {
  public:
    explicit TCheckBoxPeer(TCheckBox& box) : TWinPeer(box) {
        CreateSystemControl(WC_BUTTONW, WS_TABSTOP | BS_CHECKBOX, 0);
        Changed(TControlChange::State);
    }

    void Changed(TControlChange change) override {
        if (change == TControlChange::State) {
            SendMessageW(Handle(), BM_SETCHECK,
                         static_cast<TCheckBox&>(Control()).Checked() ? BST_CHECKED : BST_UNCHECKED,
                         0);
        }
        TWinPeer::Changed(change);
    }

    bool Reflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            static_cast<TCheckBox&>(Control()).Toggle();
            result = 0;
            return true;
        }
        return AnswerTransparentColor(message, wParam, result);
    }
};

// ---- combo box --------------------------------------------------------------------------

class TComboBoxPeer : public TWinPeer {
  public:
    explicit TComboBoxPeer(TComboBox& box) : TWinPeer(box) {
        CreateSystemControl(WC_COMBOBOXW,
                            WS_TABSTOP | WS_VSCROLL |
                                (box.Style() == csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN),
                            0);
        Changed(TControlChange::State);
    }

    TComboBox& Box() const { return static_cast<TComboBox&>(Control()); }

    void Changed(TControlChange change) override {
        if (change == TControlChange::State) {
            FillComboBoxWindow(Handle(), Box());
            return;
        }
        TWinPeer::Changed(change);
    }

    bool Reflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
            Box().ItemIndexChangedByUser(
                static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)));
            result = 0;
            return true;
        }
        return false;
    }
};

// ---- group box: a system frame that holds controls ---------------------------------------

class TGroupBoxPeer : public TWinPeer {
  public:
    explicit TGroupBoxPeer(TGroupBox& box) : TWinPeer(box) {
        CreateSystemControl(WC_BUTTONW, BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
    }

    bool Reflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        return AnswerTransparentColor(message, wParam, result);
    }

    // The box paints no inside of its own: on a parent that clips its
    // children (a tab sheet) it would stay unpainted.
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_ERASEBKGND) {
            RECT rc{};
            GetClientRect(Handle(), &rc);
            FillRect(reinterpret_cast<HDC>(wParam), &rc, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        return TWinPeer::WndProc(message, wParam, lParam);
    }
};

}  // namespace

void FillComboBoxWindow(HWND window, const TComboBox& box) {
    SendMessageW(window, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < box.Items()->Count(); ++i) {
        const std::wstring item = ToWide(box.Items()->Strings(i));
        SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(box.ItemIndex()), 0);
    SendMessageW(window, CB_SETMINVISIBLE, static_cast<WPARAM>(box.DropDownCount()), 0);
}

std::unique_ptr<TControlPeer> MakeLabelPeer(TControl& control) {
    return std::make_unique<TLabelPeer>(static_cast<TLabel&>(control));
}

std::unique_ptr<TControlPeer> MakeEditPeer(TControl& control) {
    return std::make_unique<TEditPeerImpl>(static_cast<TEdit&>(control));
}

std::unique_ptr<TControlPeer> MakeNumericEditPeer(TControl& control) {
    return std::make_unique<TNumericEditPeer>(static_cast<TNumericEdit&>(control));
}

std::unique_ptr<TControlPeer> MakeButtonPeer(TControl& control) {
    return std::make_unique<TButtonPeer>(static_cast<TButton&>(control));
}

std::unique_ptr<TControlPeer> MakeCheckBoxPeer(TControl& control) {
    return std::make_unique<TCheckBoxPeer>(static_cast<TCheckBox&>(control));
}

std::unique_ptr<TControlPeer> MakeComboBoxPeer(TControl& control) {
    return std::make_unique<TComboBoxPeer>(static_cast<TComboBox&>(control));
}

std::unique_ptr<TControlPeer> MakeGroupBoxPeer(TControl& control) {
    return std::make_unique<TGroupBoxPeer>(static_cast<TGroupBox&>(control));
}

}  // namespace nimbra
