#include "controls/Forms_win.h"

#include <commctrl.h>

#include <algorithm>

#include "base/OsError.h"
#include "base/Unicode.h"
#include "controls/ComCtrls.h"
#include "controls/Menus.h"
#include "controls/Menus_win.h"
#include "controls/Peers_win.h"

namespace nimbra {

TApplication* Application = nullptr;

namespace {

// Posted to the application's hidden window to free released forms.
constexpr UINT kReleaseFormsMessage = WM_APP + 1;
// Posted to a form to rebuild its menu bar after its items changed.
constexpr UINT kRebuildMenuBarMessage = WM_APP + 2;

bool IsModifierKey(WPARAM key) {
    switch (key) {
        case VK_SHIFT:
        case VK_CONTROL:
        case VK_MENU:
        case VK_LWIN:
        case VK_RWIN:
        case VK_CAPITAL:
            return true;
        default:
            return false;
    }
}

// The form whose window holds `hwnd`.
TCustomForm* FormOfWindow(HWND hwnd) {
    const HWND root = hwnd != nullptr ? GetAncestor(hwnd, GA_ROOT) : nullptr;
    TWinPeer* peer = TWinPeer::FromHandle(root);
    return peer != nullptr ? dynamic_cast<TCustomForm*>(&peer->Control()) : nullptr;
}

// Visits every control of a window's tree.
void ForEachControl(TControl& control, const std::function<void(TControl&)>& visit) {
    visit(control);
    if (auto* container = dynamic_cast<TWinControl*>(&control)) {
        for (int i = 0; i < container->ControlCount(); ++i)
            ForEachControl(*container->Controls(i), visit);
    }
}

// The default (Enter) or cancel (Esc) button of a form, if it can be used.
TButton* FindButton(TCustomForm& form, bool cancel) {
    TButton* found = nullptr;
    ForEachControl(form, [&](TControl& c) {
        auto* button = dynamic_cast<TButton*>(&c);
        if (found == nullptr && button != nullptr &&
            (cancel ? button->Cancel() : button->Default()) && button->Showing() &&
            button->Enabled())
            found = button;
    });
    return found;
}

}  // namespace

// ---- TApplication -----------------------------------------------------------------------

TApplication::TApplication(HINSTANCE instance) : TComponent(nullptr), instance_(instance) {
    Application = this;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES |
                                                       ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    releaser_ = std::make_unique<TMessageWindow>(
        [this](UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (message != kReleaseFormsMessage)
                return std::nullopt;
            std::vector<TCustomForm*> forms;
            forms.swap(released_);
            for (TCustomForm* form : forms)
                delete form;
            return 0;
        });
}

TApplication::~TApplication() {
    for (TCustomForm* form : released_)
        delete form;
    released_.clear();
    // The forms go while what they use (fonts, menus) is still here.
    while (ComponentCount() > 0)
        delete Components(ComponentCount() - 1);
    if (Application == this)
        Application = nullptr;
}

TCustomForm* TApplication::ActiveForm() const {
    return FormOfWindow(GetActiveWindow());
}

void TApplication::AddForm(TCustomForm* form) {
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end())
        forms_.push_back(form);
}

void TApplication::RemoveForm(TCustomForm* form) {
    std::erase(forms_, form);
    if (mainForm_ == form)
        mainForm_ = nullptr;
}

void TApplication::Run() {
    if (mainForm_ != nullptr && showMainForm_ && !mainForm_->Visible()) {
        mainForm_->Show();
        if (maximizeMainForm_)
            if (const TWinPeer* peer = PeerOf(*mainForm_))
                ShowWindow(peer->Handle(), SW_MAXIMIZE);
    }
    while (!terminated_)
        HandleMessage();
}

void TApplication::Terminate() {
    if (!terminated_)
        PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg)) {
        Idle();
        if (!terminated_)
            WaitMessage();
    }
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    if (IsShortCut(msg) || IsDialogKey(msg))
        return true;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

// Keys bound to an action of the form holding the focus run it before the
// window sees them: no character follows and nothing beeps.
bool TApplication::IsShortCut(const MSG& msg) {
    if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || IsModifierKey(msg.wParam))
        return false;
    TCustomForm* form = FormOfWindow(msg.hwnd);
    if (form == nullptr || !IsWindowEnabled(GetAncestor(msg.hwnd, GA_ROOT)))
        return false;
    const TShortCut shortCut = ShortCut(static_cast<unsigned>(msg.wParam), KeyboardShiftState());
    TAction* action = FindShortCutAction(*form, shortCut);
    if (action == nullptr)
        return false;
    action->Execute();
    return true;
}

// Tab, Shift+Tab and the "&" keys of labels move the focus in our windows as
// in dialogs.
bool TApplication::IsDialogKey(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST)
        return false;
    const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    return FormOfWindow(root) != nullptr && IsDialogMessageW(root, &msg);
}

void TApplication::Idle() {
    for (TCustomForm* form : std::vector<TCustomForm*>(forms_)) {
        if (std::find(forms_.begin(), forms_.end(), form) != forms_.end() && form->Visible())
            UpdateAllActions(*form);
    }
    UpdateHintFromPointer();
    if (OnIdle)
        OnIdle(*this);
}

void TApplication::UpdateHintFromPointer() {
    // While a menu is open its items give the hint.
    GUITHREADINFO gui{sizeof gui};
    if (GetGUIThreadInfo(GetCurrentThreadId(), &gui) && (gui.flags & GUI_INMENUMODE) != 0)
        return;
    POINT at;
    if (!GetCursorPos(&at))
        return;
    const HWND hwnd = WindowFromPoint(at);
    if (hwnd == hintWindow_)
        return;
    hintWindow_ = hwnd;
    std::string hint;
    for (HWND w = hwnd; w != nullptr; w = GetParent(w)) {
        if (TWinPeer* peer = TWinPeer::FromHandle(w)) {
            hint = StatusBarHint(peer->Control().Hint());
            break;
        }
    }
    SetHint(hint);
}

void TApplication::SetHint(const std::string& hint) {
    if (hint_ == hint)
        return;
    hint_ = hint;
    for (TCustomForm* form : forms_) {
        ForEachControl(*form, [&](TControl& c) {
            if (auto* bar = dynamic_cast<TStatusBar*>(&c); bar != nullptr && bar->AutoHint())
                bar->SetSimpleText(hint_);
        });
    }
    if (OnHint)
        OnHint(*this);
}

TModalResult TApplication::RunModal(TCustomForm& form) {
    const HWND previous = GetActiveWindow();
    std::vector<HWND> disabled;
    for (TCustomForm* other : forms_) {
        const TWinPeer* peer = PeerOf(*other);
        if (other != &form && peer != nullptr && IsWindowEnabled(peer->Handle())) {
            EnableWindow(peer->Handle(), FALSE);
            disabled.push_back(peer->Handle());
        }
    }
    form.SetModalResult(mrNone);
    form.Show();
    auto* peer = dynamic_cast<TFormPeer*>(PeerOf(form));
    if (peer != nullptr)
        peer->SetModal(true);
    while (form.ModalResult() == mrNone && !terminated_) {
        HandleMessage();
        if (!form.Visible() && form.ModalResult() == mrNone)
            form.SetModalResult(mrCancel);
    }
    // The owners come back before the dialog hides, so the system gives the
    // activation back to them rather than to another program.
    for (HWND hwnd : disabled) {
        if (IsWindow(hwnd))
            EnableWindow(hwnd, TRUE);
    }
    if (peer != nullptr && PeerOf(form) == peer)
        peer->SetModal(false);
    form.Hide();
    if (previous != nullptr && IsWindow(previous))
        SetActiveWindow(previous);
    return form.ModalResult();
}

void TApplication::ReleaseForm(TCustomForm& form) {
    if (std::find(released_.begin(), released_.end(), &form) != released_.end())
        return;
    released_.push_back(&form);
    PostMessageW(releaser_->Handle(), kReleaseFormsMessage, 0, 0);
}

void TApplication::RegisterMenu(HMENU menu, TMenuItem* item) {
    menus_[menu] = item;
}

void TApplication::UnregisterMenu(HMENU menu) {
    menus_.erase(menu);
}

TMenuItem* TApplication::MenuItemOf(HMENU menu) const {
    const auto it = menus_.find(menu);
    return it != menus_.end() ? it->second : nullptr;
}

bool TApplication::HandleMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_INITMENUPOPUP: {
            TMenuItem* item = MenuItemOf(reinterpret_cast<HMENU>(wParam));
            if (item == nullptr)
                return false;
            FillSystemMenu(reinterpret_cast<HMENU>(wParam), *item);
            result = 0;
            return true;
        }
        case WM_MENUSELECT: {
            const UINT flags = HIWORD(wParam);
            const auto menu = reinterpret_cast<HMENU>(lParam);
            TMenuItem* item = nullptr;
            if (flags == 0xFFFF && menu == nullptr) {
                SetHint({});
            } else if ((flags & MF_POPUP) != 0) {
                item = MenuItemOf(GetSubMenu(menu, LOWORD(wParam)));
            } else if (TMenuItem* parent = MenuItemOf(menu)) {
                for (int i = 0; i < parent->Count() && item == nullptr; ++i) {
                    if (parent->Items(i)->Command() == LOWORD(wParam))
                        item = parent->Items(i);
                }
            }
            if (item != nullptr)
                SetHint(StatusBarHint(item->Hint()));
            result = 0;
            return true;
        }
        default:
            return false;
    }
}

// ---- TFormPeer --------------------------------------------------------------------------

TFormPeer::TFormPeer(TCustomForm& form) : TWinPeer(form) {
    DWORD style = WS_CLIPCHILDREN;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    switch (form.BorderStyle()) {
        case bsNone:
            style |= WS_POPUP;
            break;
        case bsSingle:
            style |= WS_OVERLAPPED | WS_CAPTION;
            break;
        case bsDialog:
            style |= WS_POPUP | WS_CAPTION;
            exStyle |= WS_EX_DLGMODALFRAME;
            break;
        case bsToolWindow:
            style |= WS_POPUP | WS_CAPTION;
            exStyle |= WS_EX_TOOLWINDOW;
            break;
        case bsSizeable:
            style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME;
            break;
    }
    const TBorderIcons icons = form.BorderIcons();
    if (icons.Contains(biSystemMenu) && form.BorderStyle() != bsNone) {
        style |= WS_SYSMENU;
        if (form.BorderStyle() != bsDialog && form.BorderStyle() != bsToolWindow) {
            if (icons.Contains(biMinimize))
                style |= WS_MINIMIZEBOX;
            if (icons.Contains(biMaximize))
                style |= WS_MAXIMIZEBOX;
        }
        if (icons.Contains(biHelp) && (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0)
            exStyle |= WS_EX_CONTEXTHELP;
    }
    // Windows after the first are owned by the main window: they stay in
    // front of it and have no task bar button of their own.
    HWND owner = nullptr;
    if (form.ShowInTaskBar())
        exStyle |= WS_EX_APPWINDOW;
    else if (Application != nullptr && Application->MainForm() != nullptr &&
             Application->MainForm() != &form) {
        if (const TWinPeer* main = PeerOf(*Application->MainForm()))
            owner = main->Handle();
    }
    CreateOwnWindow(style, exStyle, owner);
    if (Application != nullptr) {
        Application->AddForm(&form);
        form.SetTextMetrics(&Application->TextMetrics());
    }
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    ApplyMenu();
}

TFormPeer::~TFormPeer() {
    if (Application != nullptr)
        Application->RemoveForm(&Form());
    if (menuBar_ != nullptr && Handle() != nullptr)
        SetMenu(Handle(), nullptr);
    DestroySystemMenu(menuBar_);
}

TCustomForm& TFormPeer::Form() const {
    return static_cast<TCustomForm&>(Control());
}

TSize TFormPeer::NonClientSize() const {
    RECT rc{0, 0, 0, 0};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE));
    AdjustWindowRectExForDpi(&rc, style, menuBar_ != nullptr ? TRUE : FALSE, exStyle,
                             static_cast<UINT>(Dpi()));
    return {rc.right - rc.left, rc.bottom - rc.top};
}

void TFormPeer::PlaceInitially() {
    TCustomForm& form = Form();
    const int dpi = Dpi();
    const TSize design = form.DesignClientSize();
    const TSize frame = NonClientSize();
    const int width = ScaleToDpi(design.Width, dpi) + frame.Width;
    const int height = ScaleToDpi(design.Height, dpi) + frame.Height;
    RECT window{};
    GetWindowRect(Handle(), &window);
    int left = window.left;
    int top = window.top;
    if (form.Position() == poScreenCenter || form.Position() == poOwnerFormCenter) {
        RECT area{};
        const HWND owner = GetWindow(Handle(), GW_OWNER);
        if (form.Position() == poOwnerFormCenter && owner != nullptr && IsWindowVisible(owner)) {
            GetWindowRect(owner, &area);
        } else {
            MONITORINFO monitor{sizeof monitor};
            GetMonitorInfoW(
                MonitorFromWindow(owner != nullptr ? owner : Handle(), MONITOR_DEFAULTTONEAREST),
                &monitor);
            area = monitor.rcWork;
        }
        left = area.left + (area.right - area.left - width) / 2;
        top = area.top + (area.bottom - area.top - height) / 2;
    }
    SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormPeer::ApplyMenu() {
    TMainMenu* menu = Form().Menu();
    const HMENU old = menuBar_;
    menuBar_ = nullptr;
    if (menu != nullptr) {
        menuBar_ = CreateMenuBar(*menu);
        menu->OnChange = [hwnd = Handle()](TObject&) {
            PostMessageW(hwnd, kRebuildMenuBarMessage, 0, 0);
        };
    }
    SetMenu(Handle(), menuBar_);
    DestroySystemMenu(old);
}

void TFormPeer::Changed(TControlChange change) {
    switch (change) {
        case TControlChange::Visible:
            ShowWindow(Handle(), Form().Visible() ? SW_SHOW : SW_HIDE);
            break;
        case TControlChange::State:
            ApplyMenu();
            break;
        default:
            TWinPeer::Changed(change);
            break;
    }
}

void TFormPeer::Resized() {
    RECT rc{};
    GetWindowRect(Handle(), &rc);
    Form().SetBoundsRect({rc.left, rc.top, rc.right, rc.bottom});
    Form().Realign();
}

void TFormPeer::OnDpiChanged(WPARAM, const RECT& suggested) {
    // Fonts first, so the layout measures with the new ones; the move to the
    // suggested rectangle must not lay out at the old resolution.
    applyingDpi_ = true;
    ForEachControl(Form(), [](TControl& c) {
        if (TWinPeer* peer = PeerOf(c))
            peer->DpiChanged();
    });
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    applyingDpi_ = false;
    Resized();
}

LRESULT TFormPeer::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    TCustomForm& form = Form();
    LRESULT result = 0;
    if (Application != nullptr && Application->HandleMenuMessage(message, wParam, lParam, result))
        return result;
    switch (message) {
        case WM_SIZE:
            if (!applyingDpi_ && wParam != SIZE_MINIMIZED)
                Resized();
            return 0;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            const int dpi = Dpi();
            const TSize frame = NonClientSize();
            const TSize inner = form.MinClientSize();
            const TSizeConstraints& limits = *form.Constraints();
            info->ptMinTrackSize.x =
                std::max<LONG>({info->ptMinTrackSize.x, inner.Width + frame.Width,
                                ScaleToDpi(limits.MinWidth(), dpi)});
            info->ptMinTrackSize.y =
                std::max<LONG>({info->ptMinTrackSize.y, inner.Height + frame.Height,
                                ScaleToDpi(limits.MinHeight(), dpi)});
            return 0;
        }
        case WM_DPICHANGED:
            OnDpiChanged(wParam, *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE: {
            if (!form.CloseQuery())
                return 0;
            if (modal_) {
                form.SetModalResult(mrCancel);
                return 0;
            }
            const TCloseAction action = form.DoClose();
            if (action == caNone)
                return 0;
            if (Application != nullptr && Application->MainForm() == &form) {
                Application->Terminate();
                return 0;
            }
            if (action == caFree)
                form.Release();
            else if (action == caMinimize)
                ShowWindow(Handle(), SW_MINIMIZE);
            else
                form.Hide();
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && IsChild(Handle(), focus))
                    lastFocus_ = focus;
                if (form.OnDeactivate)
                    form.OnDeactivate(form);
                return 0;
            }
            if (HIWORD(wParam) == 0) {  // not minimized: give the focus back
                if (lastFocus_ != nullptr && IsWindow(lastFocus_) &&
                    IsChild(Handle(), lastFocus_) && IsWindowVisible(lastFocus_) &&
                    IsWindowEnabled(lastFocus_)) {
                    ::SetFocus(lastFocus_);
                } else if (form.ActiveControl() != nullptr && form.ActiveControl()->CanFocus()) {
                    form.ActiveControl()->SetFocus();
                } else if (const HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) {
                    ::SetFocus(first);
                }
            }
            if (form.OnActivate)
                form.OnActivate(form);
            return 0;
        case WM_COMMAND:
            if (lParam == 0 || LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                    // Enter and Esc, as the dialog keys report them.
                    if (TButton* button = FindButton(form, LOWORD(wParam) == IDCANCEL))
                        button->Click();
                    else if (LOWORD(wParam) == IDCANCEL && modal_)
                        form.SetModalResult(mrCancel);
                    return 0;
                }
                if (HIWORD(wParam) == 0 && form.Menu() != nullptr) {
                    if (TMenuItem* item = form.Menu()->FindItem(LOWORD(wParam)))
                        item->Click();
                    return 0;
                }
            }
            break;
        case WM_USER:  // DM_GETDEFID from the dialog keys: Enter is ours
            return 0;
        case WM_DISPLAYCHANGE:
            EnumChildWindows(
                Handle(),
                [](HWND child, LPARAM) -> BOOL {
                    SendMessageW(child, WM_DISPLAYCHANGE, 0, 0);
                    return TRUE;
                },
                0);
            break;
        case kRebuildMenuBarMessage:
            if (menuBar_ != nullptr && form.Menu() != nullptr) {
                FillSystemMenu(menuBar_, *form.Menu()->Items());
                DrawMenuBar(Handle());
            }
            return 0;
        default:
            break;
    }
    return TWinPeer::WndProc(message, wParam, lParam);
}

std::unique_ptr<TControlPeer> MakeFormPeer(TControl& control) {
    return std::make_unique<TFormPeer>(static_cast<TCustomForm&>(control));
}

// ---- the form's window operations -------------------------------------------------------

void TCustomForm::HandleNeeded() {
    if (PeerOf(*this) != nullptr)
        return;
    CreateHandles(*this);
    if (auto* peer = dynamic_cast<TFormPeer*>(PeerOf(*this)))
        peer->PlaceInitially();
    ForEachHook([this](TFormHook& hook) { hook.FormWindowCreated(*this); });
    Realign();
}

void TCustomForm::Show() {
    HandleNeeded();
    SetVisible(true);
    if (auto* peer = PeerOf(*this))
        SetForegroundWindow(peer->Handle());
    if (OnShow)
        OnShow(*this);
}

void TCustomForm::Hide() {
    SetVisible(false);
    if (OnHide)
        OnHide(*this);
}

TModalResult TCustomForm::ShowModal() {
    return Application->RunModal(*this);
}

void TCustomForm::Close() {
    if (const TWinPeer* peer = PeerOf(*this))
        SendMessageW(peer->Handle(), WM_CLOSE, 0, 0);
}

void TCustomForm::Release() {
    Application->ReleaseForm(*this);
}

bool TCustomForm::Active() const {
    const TWinPeer* peer = PeerOf(*this);
    return peer != nullptr && GetActiveWindow() == peer->Handle();
}

}  // namespace nimbra
