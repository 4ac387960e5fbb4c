#include "app/MainWindow.h"

#include <exception>

#include "base/ErrorDisplay.h"
#include "base/OsError.h"

namespace nimbra {

namespace {

constexpr wchar_t kClassName[] = L"TNimbraMainWindow";
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

void RegisterWindowClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kClassName, &wc))
        return;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.lpszClassName = kClassName;
    if (RegisterClassExW(&wc) == 0)
        RaiseLastOSError("RegisterClassExW");
}

// Sizes are given for 96 dpi; the window is per-monitor DPI aware.
int Scale(int value, UINT dpi) {
    return MulDiv(value, static_cast<int>(dpi), 96);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {
    RegisterWindowClass(instance_, &MainWindow::WindowProc);
    const UINT dpi = GetDpiForSystem();
    handle_ = CreateWindowExW(0, kClassName, L"Nimbra", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, Scale(kDefaultWidth, dpi), Scale(kDefaultHeight, dpi),
                              nullptr, nullptr, instance_, this);
    if (handle_ == nullptr)
        RaiseLastOSError("CreateWindowExW");
}

MainWindow::~MainWindow() {
    if (handle_ != nullptr)
        DestroyWindow(handle_);
}

void MainWindow::Show(int showCommand) {
    ShowWindow(handle_, showCommand);
    UpdateWindow(handle_);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* window = static_cast<MainWindow*>(create->lpCreateParams);
        window->handle_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    // Exceptions must not unwind through the system's code.
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        HandleException(std::current_exception());
        return 0;
    }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(handle_, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_DESTROY:
            SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
            handle_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(handle_, message, wParam, lParam);
    }
}

}  // namespace nimbra
