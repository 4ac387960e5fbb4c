#include "base/WindowDispatcher_win.h"

#include <exception>
#include <memory>

#include "base/OsError.h"

namespace nimbra {

namespace {

constexpr wchar_t kClassName[] = L"TNimbraDispatcherWindow";
enum : UINT { kPostedTask = WM_APP + 1, kSentTask = WM_APP + 2 };

struct SentTask {
    std::function<void()> run;
    std::exception_ptr error;
};

void RegisterDispatcherClass(WNDPROC proc) {
    WNDCLASSEXW wc{};
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, kClassName, &wc))
        return;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    if (RegisterClassExW(&wc) == 0)
        RaiseLastOSError("RegisterClassExW");
}

}  // namespace

TWindowDispatcher::TWindowDispatcher() : uiThread_(GetCurrentThreadId()) {
    RegisterDispatcherClass(&TWindowDispatcher::WindowProc);
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (window_ == nullptr)
        RaiseLastOSError("CreateWindowExW");
}

TWindowDispatcher::~TWindowDispatcher() {
    // Free what was posted and never run, then let waiting senders go
    // (SendMessage returns once the window is gone).
    MSG msg{};
    while (PeekMessageW(&msg, window_, kPostedTask, kPostedTask, PM_REMOVE))
        delete reinterpret_cast<std::function<void()>*>(msg.lParam);
    DestroyWindow(window_);
}

void TWindowDispatcher::Post(std::function<void()> task) {
    auto owned = std::make_unique<std::function<void()>>(std::move(task));
    if (!PostMessageW(window_, kPostedTask, 0, reinterpret_cast<LPARAM>(owned.get())))
        RaiseLastOSError("PostMessageW");
    owned.release();  // the window procedure frees it
}

void TWindowDispatcher::Send(std::function<void()> task) {
    if (IsUiThread()) {
        task();
        return;
    }
    SentTask sent{std::move(task), nullptr};
    SendMessageW(window_, kSentTask, 0, reinterpret_cast<LPARAM>(&sent));
    if (sent.error)
        std::rethrow_exception(sent.error);
}

bool TWindowDispatcher::IsUiThread() const {
    return GetCurrentThreadId() == uiThread_;
}

void TWindowDispatcher::ServeUntil(const std::function<bool()>& done) {
    // Messages sent from other threads are delivered inside PeekMessage;
    // nothing else of the queue is touched.
    MSG msg{};
    while (!done()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

LRESULT CALLBACK TWindowDispatcher::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    switch (message) {
        case kPostedTask: {
            std::unique_ptr<std::function<void()>> task(
                reinterpret_cast<std::function<void()>*>(lParam));
            // A posted task has nobody to report to; it must not unwind
            // through the system's code.
            try {
                (*task)();
            } catch (...) {
            }
            return 0;
        }
        case kSentTask: {
            auto* sent = reinterpret_cast<SentTask*>(lParam);
            try {
                sent->run();
            } catch (...) {
                sent->error = std::current_exception();
            }
            return 1;
        }
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace nimbra
