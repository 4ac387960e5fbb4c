#include "base/MessageWindow_win.h"

#include <string>

#include "base/OsError.h"

namespace nimbra {

namespace {

constexpr wchar_t kObjectProperty[] = L"Nimbra.Object";
constexpr wchar_t kClassName[] = L"TNimbraMessageWindow";

// Registered on first use; every message window of the process shares it.
void RegisterMessageWindowClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &ObjectWindowProc<TMessageWindow>;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClassName;
        const ATOM registered = RegisterClassExW(&wc);
        if (registered == 0)
            RaiseLastOSError("RegisterClassExW");
        return registered;
    }();
    static_cast<void>(atom);
}

}  // namespace

LRESULT FailedMessageResult(UINT message) noexcept {
    switch (message) {
        case WM_NCCREATE:
            return FALSE;
        case WM_CREATE:
            return -1;
        default:
            return 0;
    }
}

bool AttachWindowObject(HWND hwnd, const CREATESTRUCTW& create) noexcept {
    return SetPropW(hwnd, kObjectProperty, create.lpCreateParams) != FALSE;
}

void* WindowObject(HWND hwnd) noexcept {
    return GetPropW(hwnd, kObjectProperty);
}

void DetachWindowObject(HWND hwnd) noexcept {
    RemovePropW(hwnd, kObjectProperty);
}

TMessageWindow::TMessageWindow(THandler handler, TMessageWindowKind kind, std::wstring_view title)
    : handler_(std::move(handler)) {
    RegisterMessageWindowClass();
    const std::wstring text(title);
    // A hidden top-level window stays off the taskbar even if shown.
    const HWND hwnd = CreateWindowExW(kind == mwTopLevel ? WS_EX_TOOLWINDOW : 0, kClassName,
                                      text.c_str(), kind == mwTopLevel ? WS_POPUP : 0, 0, 0, 0, 0,
                                      kind == mwTopLevel ? nullptr : HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), this);
    if (hwnd == nullptr) {
        // Creation failed after WM_NCCREATE: the system has destroyed the window.
        window_.Release();
        RaiseLastOSError("CreateWindowExW");
    }
}

TMessageWindow::~TMessageWindow() {
    handler_ = nullptr;
    window_.Reset();
}

LRESULT TMessageWindow::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        window_.Reset(hwnd);
    else if (message == WM_NCDESTROY)
        window_.Release();  // the system destroys it: nothing is left to destroy
    if (handler_) {
        if (const std::optional<LRESULT> answer = handler_(message, wParam, lParam))
            return *answer;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace nimbra
