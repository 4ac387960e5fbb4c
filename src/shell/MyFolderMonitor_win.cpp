// The folder monitor on Windows: a watcher thread per monitor waits on a
// change notification and posts to the monitor's own hidden window, which
// raises the event on the interface thread. The hidden window makes a general
// dispatcher unnecessary here.
#include <windows.h>

#include <memory>
#include <string>

#include "base/OsError.h"
#include "base/Unicode.h"
#include "shell/MyFolderMonitor.h"

namespace nimbra {

namespace {

// The platform's first user message number.
constexpr UINT kFolderChangeMessage = 0x0400;
constexpr wchar_t kWindowClass[] = L"TMyFolderMonitorWindow";

class THandle {
  public:
    explicit THandle(HANDLE handle = nullptr) : handle_(handle) {}
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    ~THandle() { Reset(); }
    HANDLE Get() const { return handle_; }
    void Reset(HANDLE handle = nullptr) {
        if (handle_ != nullptr)
            CloseHandle(handle_);
        handle_ = handle;
    }

  private:
    HANDLE handle_;
};

// Handed to the watcher thread, which owns and frees it.
struct TThreadParams {
    HWND window;
    DWORD filter;
    bool subtree;
    std::wstring folder;
    HANDLE stopEvent;
};

DWORD WINAPI WatchThread(void* argument) {
    const std::unique_ptr<TThreadParams> params(static_cast<TThreadParams*>(argument));
    // A folder that cannot be watched is not reported: the thread ends and the
    // monitor stays silent until it is restarted.
    const HANDLE change =
        FindFirstChangeNotificationW(params->folder.c_str(), params->subtree, params->filter);
    if (change == INVALID_HANDLE_VALUE)
        return 0;
    const HANDLE handles[2] = {params->stopEvent, change};
    // The stop event, a failed re-arm and a failed wait all end the thread.
    while (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        PostMessageW(params->window, kFolderChangeMessage, 0, 0);
        if (!FindNextChangeNotification(change))
            break;
    }
    FindCloseChangeNotification(change);
    return 0;
}

}  // namespace

struct TMyFolderMonitor::TWatcher {
    HWND window = nullptr;
    THandle stopEvent;
    THandle thread;

    ~TWatcher() {
        if (window != nullptr)
            DestroyWindow(window);
    }

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        } else if (message == kFolderChangeMessage) {
            auto* monitor =
                reinterpret_cast<TMyFolderMonitor*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            if (monitor != nullptr)
                monitor->DeliverChange();
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    static bool RegisterWindowClass() {
        static const bool registered = [] {
            WNDCLASSEXW windowClass{};
            windowClass.cbSize = sizeof windowClass;
            windowClass.lpfnWndProc = &WindowProc;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = kWindowClass;
            return RegisterClassExW(&windowClass) != 0 ||
                   GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
        }();
        return registered;
    }

    // Creates whichever of the window and the stop event is missing.
    bool Prepare(TMyFolderMonitor* monitor) {
        if (window == nullptr && RegisterWindowClass()) {
            // A message-only window: never shown, only receives posted messages.
            window = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     GetModuleHandleW(nullptr), monitor);
        }
        if (stopEvent.Get() == nullptr)
            stopEvent.Reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
        return window != nullptr && stopEvent.Get() != nullptr;
    }
};

void TMyFolderMonitor::TWatcherDeleter::operator()(TWatcher* watcher) const noexcept {
    delete watcher;
}

void TMyFolderMonitor::StartWatcher(std::uint32_t filter) {
    if (!watcher_)
        watcher_.reset(new TWatcher());
    if (!watcher_->Prepare(this))
        throw EMyFolderMonitorError("Out of system resources");
    ResetEvent(watcher_->stopEvent.Get());
    auto params = std::make_unique<TThreadParams>(TThreadParams{
        watcher_->window, filter, recursive_, ToWide(folder_), watcher_->stopEvent.Get()});
    const HANDLE thread = CreateThread(nullptr, 0, &WatchThread, params.get(), 0, nullptr);
    if (thread == nullptr)
        RaiseLastOSError("CreateThread");
    params.release();  // the thread owns them now
    watcher_->thread.Reset(thread);
}

void TMyFolderMonitor::StopWatcher() noexcept {
    if (!watcher_ || watcher_->thread.Get() == nullptr)
        return;
    SetEvent(watcher_->stopEvent.Get());
    WaitForSingleObject(watcher_->thread.Get(), INFINITE);
    watcher_->thread.Reset();
}

bool TMyFolderMonitor::Running() const {
    return watcher_ && watcher_->thread.Get() != nullptr;
}

}  // namespace nimbra
