#include "controls/Controls_win.h"

#include <commctrl.h>

#include "base/MessageWindow_win.h"
#include "base/OsError.h"
#include "base/Unicode.h"
#include "base/WaitCursor.h"
#include "controls/Forms_win.h"
#include "controls/Menus_win.h"
#include "controls/Peers_win.h"

namespace nimbra {

namespace {

constexpr wchar_t kOwnClassName[] = L"TNimbraWindow";
// Where tools outside the process read a control's component path.
constexpr wchar_t kNameProperty[] = L"Nimbra.Name";
constexpr UINT_PTR kSubclassId = 1;

bool AttachObject(HWND hwnd, void* object) {
    CREATESTRUCTW create{};
    create.lpCreateParams = object;
    return AttachWindowObject(hwnd, create);
}

}  // namespace

LRESULT CALLBACK PeerOwnWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PeerSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR id, DWORD_PTR refData);

namespace {

void RegisterOwnClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &PeerOwnWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
        wc.lpszClassName = kOwnClassName;
        const ATOM registered = RegisterClassExW(&wc);
        if (registered == 0)
            RaiseLastOSError("RegisterClassExW");
        return registered;
    }();
    static_cast<void>(atom);
}

}  // namespace

// ---- window procedures ------------------------------------------------------------------

LRESULT CALLBACK PeerOwnWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto& create = *reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* peer = static_cast<TWinPeer*>(create.lpCreateParams);
        if (!AttachWindowObject(hwnd, create))
            return FALSE;
        peer->Attach(hwnd);
    }
    auto* peer = static_cast<TWinPeer*>(WindowObject(hwnd));
    if (peer == nullptr)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    const LRESULT result =
        GuardedMessage(message, [&] { return peer->WndProc(message, wParam, lParam); });
    if (message == WM_NCDESTROY)
        peer->Detach();
    return result;
}

LRESULT CALLBACK PeerSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR refData) {
    auto* peer = reinterpret_cast<TWinPeer*>(refData);
    if (message == WM_NCDESTROY) {
        peer->Detach();
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    return GuardedMessage(message, [&] { return peer->WndProc(message, wParam, lParam); });
}

// ---- TWinPeer ---------------------------------------------------------------------------

TWinPeer::TWinPeer(TControl& control) : control_(control) {}

TWinPeer::~TWinPeer() {
    // No message may reach the peer (or the model behind it) once it goes.
    const HWND hwnd = window_.Get();
    if (hwnd == nullptr)
        return;
    Detach();
    DestroyWindow(hwnd);
}

TWinPeer* TWinPeer::FromHandle(HWND hwnd) {
    return hwnd != nullptr ? static_cast<TWinPeer*>(WindowObject(hwnd)) : nullptr;
}

void TWinPeer::Attach(HWND hwnd) {
    window_.Reset(hwnd);
    const std::string path = control_.ComponentPath();
    if (!path.empty()) {
        nameAtom_ = GlobalAddAtomW(ToWide(path).c_str());
        if (nameAtom_ != 0)
            SetPropW(hwnd, kNameProperty,
                     reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(nameAtom_)));
    }
}

void TWinPeer::Detach() {
    const HWND hwnd = window_.Release();
    if (hwnd == nullptr)
        return;
    if (subclassed_) {
        RemoveWindowSubclass(hwnd, &PeerSubclassProc, kSubclassId);
        subclassed_ = false;
    }
    DetachWindowObject(hwnd);
    if (nameAtom_ != 0) {
        RemovePropW(hwnd, kNameProperty);
        GlobalDeleteAtom(nameAtom_);
        nameAtom_ = 0;
    }
}

HWND TWinPeer::ParentHandle() const {
    const TWinPeer* parent = control_.Parent() != nullptr ? PeerOf(*control_.Parent()) : nullptr;
    return parent != nullptr ? parent->Handle() : nullptr;
}

void TWinPeer::CreateSystemControl(const wchar_t* className, DWORD style, DWORD exStyle, int id) {
    const TRect& r = control_.BoundsRect();
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (control_.Visible())
        style |= WS_VISIBLE;
    if (!control_.Enabled())
        style |= WS_DISABLED;
    const std::wstring text = ToWide(control_.Text());
    const HWND hwnd = CreateWindowExW(exStyle, className, text.c_str(), style, r.Left, r.Top,
                                      r.Width(), r.Height(), ParentHandle(),
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                      GetModuleHandleW(nullptr), nullptr);
    if (hwnd == nullptr)
        RaiseLastOSError("CreateWindowExW");
    if (!SetWindowSubclass(hwnd, &PeerSubclassProc, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(this)) ||
        !AttachObject(hwnd, this)) {
        DestroyWindow(hwnd);
        RaiseLastOSError("SetWindowSubclass");
    }
    subclassed_ = true;
    Attach(hwnd);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
}

void TWinPeer::CreateOwnWindow(DWORD style, DWORD exStyle, HWND parent) {
    RegisterOwnClass();
    const TRect& r = control_.BoundsRect();
    if (control_.Visible() && (style & WS_CHILD) != 0)
        style |= WS_VISIBLE;
    const std::wstring text = ToWide(control_.Text());
    const HWND hwnd =
        CreateWindowExW(exStyle, kOwnClassName, text.c_str(), style, r.Left, r.Top, r.Width(),
                        r.Height(), parent, nullptr, GetModuleHandleW(nullptr), this);
    if (hwnd == nullptr)
        RaiseLastOSError("CreateWindowExW");
}

LRESULT TWinPeer::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = window_.Get();
    if (hwnd == nullptr)
        return 0;
    return subclassed_ ? DefSubclassProc(hwnd, message, wParam, lParam)
                       : DefWindowProcW(hwnd, message, wParam, lParam);
}

HFONT TWinPeer::FontHandle() const {
    return Application != nullptr ? Application->Fonts().Get(*control_.Font(), Dpi()) : nullptr;
}

void TWinPeer::PushText() {
    settingText_ = true;
    const std::wstring text = ToWide(control_.Text());
    SetWindowTextW(window_.Get(), text.c_str());
    settingText_ = false;
}

void TWinPeer::Changed(TControlChange change) {
    const HWND hwnd = window_.Get();
    if (hwnd == nullptr)
        return;
    switch (change) {
        case TControlChange::Text:
            PushText();
            break;
        case TControlChange::Visible:
            ShowWindow(hwnd, control_.Visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
            break;
        case TControlChange::Enabled:
            EnableWindow(hwnd, control_.Enabled() ? TRUE : FALSE);
            break;
        case TControlChange::Font:
            SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
            break;
        case TControlChange::Color:
        case TControlChange::State:
            InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case TControlChange::Hint:
            break;
    }
}

void TWinPeer::ApplyChildBounds(const std::vector<TControl*>& children) {
    HDWP batch = BeginDeferWindowPos(static_cast<int>(children.size()));
    for (TControl* child : children) {
        const TWinPeer* peer = PeerOf(*child);
        if (peer == nullptr || peer->Handle() == nullptr)
            continue;
        const TRect& r = child->BoundsRect();
        if (batch != nullptr)
            batch = DeferWindowPos(batch, peer->Handle(), nullptr, r.Left, r.Top, r.Width(),
                                   r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        if (batch == nullptr)  // a failed batch: move the rest one by one
            SetWindowPos(peer->Handle(), nullptr, r.Left, r.Top, r.Width(), r.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch != nullptr)
        EndDeferWindowPos(batch);
}

bool TWinPeer::GetClientSize(TSize& size) const {
    RECT rc{};
    if (window_.Get() == nullptr || !GetClientRect(window_.Get(), &rc))
        return false;
    size = {rc.right - rc.left, rc.bottom - rc.top};
    return true;
}

int TWinPeer::Dpi() const {
    return WindowDpi(window_.Get());
}

void TWinPeer::SetFocus() {
    if (window_.Get() != nullptr)
        ::SetFocus(window_.Get());
}

bool TWinPeer::Focused() const {
    return window_.Get() != nullptr && GetFocus() == window_.Get();
}

void TWinPeer::PostWindowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (window_.Get() != nullptr)
        PostMessageW(window_.Get(), message, wParam, lParam);
}

void TWinPeer::DpiChanged() {
    if (window_.Get() != nullptr)
        SendMessageW(window_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
}

bool TWinPeer::HandleKey(UINT message, WPARAM wParam) {
    auto* control = dynamic_cast<TWinControl*>(&control_);
    if (control == nullptr)
        return false;
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        auto key = static_cast<std::uint16_t>(wParam);
        control->KeyDown(key, KeyboardShiftState());
        return key == 0;
    }
    auto key = static_cast<char32_t>(wParam);
    control->KeyPress(key);
    return key == 0;
}

bool TWinPeer::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND child = nullptr;
    switch (message) {
        case WM_COMMAND:
            child = reinterpret_cast<HWND>(lParam);
            break;
        case WM_NOTIFY:
            child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
            break;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            child = reinterpret_cast<HWND>(lParam);
            break;
        case WM_DRAWITEM:
            // Owner-drawn controls draw themselves; menus draw elsewhere.
            if (reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_MENU)
                return false;
            child = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
            break;
        default:
            return false;
    }
    TWinPeer* peer = FromHandle(child);
    return peer != nullptr && peer != this && peer->Reflected(message, wParam, lParam, result);
}

bool TWinPeer::Reflected(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

LRESULT TWinPeer::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (control_.HandleWindowMessage(message, wParam, lParam, result))
        return result;
    if (ReflectToChild(message, wParam, lParam, result))
        return result;
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CHAR:
            if (HandleKey(message, wParam))
                return 0;
            break;
        case WM_SETFOCUS:
            if (auto* control = dynamic_cast<TWinControl*>(&control_))
                control->DoEnter();
            break;
        case WM_KILLFOCUS:
            if (auto* control = dynamic_cast<TWinControl*>(&control_))
                control->DoExit();
            break;
        case WM_SETCURSOR:
            // The hourglass stays while messages are served during long work.
            if (WaitCursorDepth() > 0) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_CONTEXTMENU:
            if (control_.PopupMenu() != nullptr) {
                POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                if (at.x == -1 && at.y == -1) {  // from the keyboard: the control's corner
                    at = {0, 0};
                    ClientToScreen(window_.Get(), &at);
                }
                PopupMenuAt(*control_.PopupMenu(), {at.x, at.y}, window_.Get());
                return 0;
            }
            break;
        default:
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

// ---- handles ----------------------------------------------------------------------------

TWinPeer* PeerOf(const TControl& control) {
    return dynamic_cast<TWinPeer*>(control.Peer());
}

void CreateHandles(TControl& control) {
    if (control.Peer() == nullptr) {
        if (control.Parent() != nullptr && control.Parent()->Peer() == nullptr)
            CreateHandles(*control.Parent());
        if (std::unique_ptr<TControlPeer> peer = MakePeer(control))
            control.SetPeer(std::move(peer));
    }
    if (auto* container = dynamic_cast<TWinControl*>(&control)) {
        for (int i = 0; i < container->ControlCount(); ++i)
            CreateHandles(*container->Controls(i));
    }
}

int WindowDpi(HWND hwnd) {
    const UINT dpi = hwnd != nullptr ? GetDpiForWindow(hwnd) : 0;
    return dpi != 0 ? static_cast<int>(dpi) : kDesignDpi;
}

TShiftState KeyboardShiftState() {
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0)
        shift.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0)
        shift.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0)
        shift.Include(ssAlt);
    if (GetKeyState(VK_LWIN) < 0 || GetKeyState(VK_RWIN) < 0)
        shift.Include(ssWin);
    return shift;
}

// ---- owner-drawn lists -------------------------------------------------------------------

void TOwnerDrawListPeer::Initialize() {
    Fill();
    SetRowHeights();
}

void TOwnerDrawListPeer::Changed(TControlChange change) {
    if (change == TControlChange::State) {
        Fill();
        return;
    }
    TWinPeer::Changed(change);
    if (change == TControlChange::Font)
        SetRowHeights();
}

void TOwnerDrawListPeer::DpiChanged() {
    TWinPeer::DpiChanged();
    SetRowHeights();
}

bool TOwnerDrawListPeer::Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND && HIWORD(wParam) == selectionChange_) {
        SelectionChanged(static_cast<int>(SendMessageW(Handle(), getSelection_, 0, 0)));
        result = 0;
        return true;
    }
    if (message == WM_DRAWITEM) {
        DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    }
    return false;
}

}  // namespace nimbra
