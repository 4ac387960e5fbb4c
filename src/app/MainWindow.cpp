#include "app/MainWindow.h"

#include "base/OsError.h"

namespace nimbra {

namespace {

constexpr wchar_t kClassName[] = L"TNimbraMainWindow";
// The first size, in 96-dpi design pixels.
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

void RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kClassName, &wc))
        return;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &ObjectWindowProc<TMainWindow>;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.lpszClassName = kClassName;
    if (RegisterClassExW(&wc) == 0)
        RaiseLastOSError("RegisterClassExW");
}

int Scale(int value, UINT dpi) {
    return MulDiv(value, static_cast<int>(dpi), 96);
}

}  // namespace

TMainWindow::TMainWindow(HINSTANCE instance) {
    RegisterWindowClass(instance);
    const HWND hwnd =
        CreateWindowExW(0, kClassName, L"Nimbra", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                        kDefaultWidth, kDefaultHeight, nullptr, nullptr, instance, this);
    if (hwnd == nullptr) {
        window_.Release();  // the system has destroyed what it created
        RaiseLastOSError("CreateWindowExW");
    }
    // Under a per-monitor manifest the window's monitor decides its dpi,
    // which is only known once the window exists.
    const UINT dpi = GetDpiForWindow(hwnd);
    SetWindowPos(hwnd, nullptr, 0, 0, Scale(kDefaultWidth, dpi), Scale(kDefaultHeight, dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainWindow::Show(int showCommand) {
    ShowWindow(window_.Get(), showCommand);
    UpdateWindow(window_.Get());
}

LRESULT TMainWindow::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            window_.Reset(hwnd);
            break;
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            window_.Release();  // destroyed by the system: nothing left to destroy
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace nimbra
