#include "app/TrayUtils.h"

#include <shlwapi.h>

#include <algorithm>

#include "base/Unicode.h"
#include "controls/Forms_win.h"
#include "controls/Menus_win.h"

namespace nimbra {

namespace {

constexpr UINT_PTR kBalloonTimer = 1;
constexpr UINT_PTR kPollTimer = 2;
constexpr UINT_PTR kShiftTimer = 3;
constexpr UINT kPollMilliseconds = 500;
// Posted after the icon's menu closed, so the shell's menu state is reset.
constexpr UINT kMenuClosedMessage = WM_USER;

// The shell's notifications about its balloon.
constexpr LPARAM kBalloonShown = WM_USER + 2;
constexpr LPARAM kBalloonHidden = WM_USER + 3;
constexpr LPARAM kBalloonTimedOut = WM_USER + 4;
constexpr LPARAM kBalloonClicked = WM_USER + 5;

DWORD ShellVersion() {
    HMODULE shell = GetModuleHandleW(L"shell32.dll");
    if (shell == nullptr)
        return MAKELONG(0, 4);
    using TDllGetVersion = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
    const auto get =
        reinterpret_cast<TDllGetVersion>(GetProcAddress(shell, "DllGetVersion"));  // NOLINT
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    if (get == nullptr || FAILED(get(&info)))
        return MAKELONG(0, 4);
    return MAKELONG(std::min<DWORD>(info.dwMinorVersion, 0xFFFF),
                    std::min<DWORD>(info.dwMajorVersion, 0xFFFF));
}

UINT TaskbarCreatedMessage() {
    static const UINT message =
        ShellCaps().HasTaskbarCreated() ? RegisterWindowMessageW(L"TaskbarCreated") : 0;
    return message;
}

// Copies at most `length` characters and always ends with a zero.
template <std::size_t N>
void CopyCut(wchar_t (&target)[N], const std::string& text, std::size_t length) {
    const std::wstring wide = ToWide(text);
    const std::size_t count = std::min({wide.size(), length, N - 1});
    std::copy_n(wide.begin(), count, target);
    target[count] = L'\0';
}

DWORD BalloonFlags(TBalloonIconKind kind) {
    switch (kind) {
        case bikWarning:
            return NIIF_WARNING;
        case bikError:
            return NIIF_ERROR;
        case bikInfo:
            return NIIF_INFO;
        case bikNone:
            break;
    }
    return NIIF_NONE;
}

TPoint CursorPosition() {
    POINT point{};
    GetCursorPos(&point);
    return {point.x, point.y};
}

}  // namespace

DWORD TShellCaps::RecordSize() const {
    return HasBalloons() ? sizeof(NOTIFYICONDATAW) : NOTIFYICONDATAW_V1_SIZE;
}

const TShellCaps& ShellCaps() {
    static const TShellCaps caps{ShellVersion()};
    return caps;
}

TTrayIcon::TTrayIcon(TComponent* owner)
    : TComponent(owner),
      window_(std::make_unique<TMessageWindow>(
          [this](UINT message, WPARAM wParam, LPARAM lParam) {
              return HandleMessage(message, wParam, lParam);
          },
          // Top-level, so the shell's "TaskbarCreated" broadcast reaches it.
          mwTopLevel)) {
    if (!ShellCaps().HasTaskbarCreated())
        SetTimer(Handle(), kPollTimer, kPollMilliseconds, nullptr);
}

TTrayIcon::~TTrayIcon() {
    KillTimer(Handle(), kBalloonTimer);
    KillTimer(Handle(), kPollTimer);
    KillTimer(Handle(), kShiftTimer);
    SetActive(false);
    PopupMenu = nullptr;
    LeftPopupMenu = nullptr;
}

void TTrayIcon::SetActive(bool value) {
    if (value == active_)
        return;
    active_ = value;
    if (active_)
        AddIcon();
    else
        DeleteIcon();
}

void TTrayIcon::SetIcon(HICON icon) {
    icon_.Reset(icon != nullptr ? CopyIcon(icon) : nullptr);
    ModifyIcon(true);
}

void TTrayIcon::SetHint(const std::string& value) {
    if (value == hint_)
        return;
    hint_ = value;
    ModifyIcon(false);
}

void TTrayIcon::SetAutoShiftRight(bool value) {
    autoShiftRight_ = value;
    if (value)
        SetTimer(Handle(), kShiftTimer, static_cast<UINT>(std::max(1, ShiftPeriod)) * 1000,
                 nullptr);
    else
        KillTimer(Handle(), kShiftTimer);
}

void TTrayIcon::AddExemptClass(const TClassInfo& formClass) {
    exemptClasses_.push_back(&formClass);
}

void TTrayIcon::FillIconData(NOTIFYICONDATAW& data, bool withIcon) const {
    data = NOTIFYICONDATAW{};
    data.cbSize = ShellCaps().RecordSize();
    data.hWnd = window_->Handle();
    data.uID = 0;
    data.uFlags = NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    if (withIcon) {
        data.uFlags |= NIF_ICON;
        data.hIcon = icon_.Get();
        if (data.hIcon == nullptr && Application != nullptr)
            data.hIcon = static_cast<HICON>(LoadImageW(Application->Instance(), L"MAINICON",
                                                       IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                       GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    }
    CopyCut(data.szTip, hint_, ShellCaps().TipLength());
}

bool TTrayIcon::AddIcon() {
    NOTIFYICONDATAW data;
    FillIconData(data, true);
    return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

bool TTrayIcon::DeleteIcon() {
    NOTIFYICONDATAW data;
    FillIconData(data, false);
    balloonVisible_ = false;
    return Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
}

bool TTrayIcon::ModifyIcon(bool withIcon) {
    NOTIFYICONDATAW data;
    FillIconData(data, withIcon);
    if (Shell_NotifyIconW(NIM_MODIFY, &data))
        return true;
    return active_ && AddIcon();
}

void TTrayIcon::ShowBalloon(const std::string& text, const std::string& title, int tag,
                            int timeoutSeconds, TBalloonIconKind kind) {
    if (!active_ || !BalloonsSupported())
        return;
    const bool showing = !text.empty() || !title.empty();
    if (showing && balloonVisible_)
        HideBalloon();
    balloonTag_ = tag;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = Handle();
    data.uID = 0;
    data.uFlags = NIF_INFO;
    CopyCut(data.szInfo, text, 255);
    CopyCut(data.szInfoTitle, title, 63);
    data.uTimeout = static_cast<UINT>(std::max(0, timeoutSeconds)) * 1000;
    data.dwInfoFlags = BalloonFlags(kind);
    Shell_NotifyIconW(NIM_MODIFY, &data);
    if (showing)
        SetTimer(Handle(), kBalloonTimer, data.uTimeout, nullptr);
    else
        balloonVisible_ = false;
}

void TTrayIcon::HideBalloon() {
    ShowBalloon({}, {}, 0, 0, bikNone);
}

HWND TTrayIcon::NotifyAreaWindow() {
    const HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    return tray != nullptr ? FindWindowExW(tray, nullptr, L"TrayNotifyWnd", nullptr) : nullptr;
}

HWND TTrayIcon::ClockWindow() {
    const HWND area = NotifyAreaWindow();
    return area != nullptr ? FindWindowExW(area, nullptr, L"TrayClockWClass", nullptr) : nullptr;
}

std::optional<LRESULT> TTrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TaskbarCreatedMessage() && message != 0) {
        // The task bar was re-created: the shell forgot the icon.
        if (active_)
            AddIcon();
        return 0;
    }
    LRESULT menuResult = 0;
    if (Application != nullptr &&
        Application->HandleMenuMessage(message, wParam, lParam, menuResult))
        return menuResult;
    switch (message) {
        case kTrayCallbackMessage:
            Callback(lParam);
            return 0;
        case kMenuClosedMessage:
            return 0;
        case WM_TIMER:
            if (wParam == kBalloonTimer) {
                KillTimer(Handle(), kBalloonTimer);
                HideBalloon();
            } else if (wParam == kPollTimer) {
                ModifyIcon(false);
            } else if (wParam == kShiftTimer && active_) {
                DeleteIcon();
                AddIcon();
            }
            return 0;
        case WM_DISPLAYCHANGE:
            ModifyIcon(true);
            return 0;
        default:
            return std::nullopt;
    }
}

void TTrayIcon::Callback(LPARAM event) {
    const TPoint at = CursorPosition();
    switch (event) {
        case WM_MOUSEMOVE:
            if (OnMouseMove)
                OnMouseMove(*this, at.X, at.Y);
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (OnMouseDown)
                OnMouseDown(*this, event == WM_LBUTTONDOWN ? TTrayButton::Left : TTrayButton::Right,
                            at.X, at.Y);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP: {
            const TTrayButton button =
                event == WM_LBUTTONUP ? TTrayButton::Left : TTrayButton::Right;
            if (OnMouseUp)
                OnMouseUp(*this, button, at.X, at.Y);
            Click(button, at.X, at.Y);
            break;
        }
        case WM_LBUTTONDBLCLK:
            DblClick();
            break;
        case kBalloonShown:
            balloonVisible_ = true;
            break;
        case kBalloonHidden:
        case kBalloonTimedOut:
            balloonVisible_ = false;
            break;
        case kBalloonClicked:
            balloonVisible_ = false;
            if (OnBalloonClick)
                OnBalloonClick(*this, balloonTag_);
            break;
        default:
            break;
    }
}

HWND TTrayIcon::BlockingWindow() const {
    if (Application == nullptr)
        return nullptr;
    for (TCustomForm* form : Application->Forms()) {
        const bool exempt =
            std::any_of(exemptClasses_.begin(), exemptClasses_.end(),
                        [form](const TClassInfo* c) { return form->ClassInfo().InheritsFrom(*c); });
        const TWinPeer* peer = PeerOf(*form);
        if (!exempt && peer != nullptr && IsWindowVisible(peer->Handle()))
            return peer->Handle();
    }
    return nullptr;
}

bool TTrayIcon::TryMenu(TPopupMenu* menu, int x, int y) {
    if (!active_)
        return false;
    if (DisableIfForms) {
        if (const HWND window = BlockingWindow()) {
            SetForegroundWindow(window);
            return true;
        }
    }
    if (menu == nullptr)
        return false;
    if (openMenus_ > 0)
        return true;
    ++openMenus_;
    try {
        if (Application != nullptr)
            if (TCustomForm* active = Application->ActiveForm())
                if (const TWinPeer* peer = PeerOf(*active))
                    SendMessageW(peer->Handle(), WM_CANCELMODE, 0, 0);
        PopupMenuAt(*menu, {x, y}, Handle());
    } catch (...) {
        --openMenus_;
        throw;
    }
    --openMenus_;
    PostMessageW(Handle(), kMenuClosedMessage, 0, 0);
    return true;
}

void TTrayIcon::Click(TTrayButton button, int x, int y) {
    bool handled = false;
    if (OnBeforeClick)
        OnBeforeClick(*this, button, handled, x, y);
    if (handled)
        return;
    if (TryMenu(button == TTrayButton::Right ? PopupMenu : LeftPopupMenu, x, y))
        return;
    if (OnClick)
        OnClick(*this, button, x, y);
}

void TTrayIcon::DblClick() {
    if (DblClickDefault && active_ && PopupMenu != nullptr) {
        TMenuItem* items = PopupMenu->Items();
        for (int i = 0; i < items->Count(); ++i) {
            TMenuItem* item = items->Items(i);
            if (item->Default() && item->Visible()) {
                if (item->Action() != nullptr)
                    item->Action()->Update();
                if (item->Enabled())
                    item->Click();
                return;
            }
        }
    }
    if (OnDblClick)
        OnDblClick(*this);
}

void TTrayIcon::Loaded() {
    TComponent::Loaded();
    if (active_)
        AddIcon();
}

void TTrayIcon::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == PopupMenu)
        PopupMenu = nullptr;
    if (component == LeftPopupMenu)
        LeftPopupMenu = nullptr;
}

const TClassInfo& TTrayIcon::StaticClassInfo() {
    static const TClassInfo info("TTrayIcon", &TComponent::StaticClassInfo());
    return info;
}

}  // namespace nimbra
