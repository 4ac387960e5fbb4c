#include "base/WindowDispatcher_win.h"

#include <exception>
#include <memory>

#include "base/OsError.h"

namespace nimbra {

namespace {

enum : UINT { kPostedTask = WM_APP + 1, kSentTask = WM_APP + 2 };

struct TSentTask {
    std::function<void()> run;
    std::exception_ptr error;
};

}  // namespace

TWindowDispatcher::TWindowDispatcher()
    : uiThread_(GetCurrentThreadId()), window_(&TWindowDispatcher::HandleMessage) {}

TWindowDispatcher::~TWindowDispatcher() {
    // Free what was posted and never run; waiting senders go free when the
    // window goes (SendMessage returns once it is destroyed).
    MSG msg{};
    while (PeekMessageW(&msg, window_.Handle(), kPostedTask, kPostedTask, PM_REMOVE))
        delete reinterpret_cast<std::function<void()>*>(msg.lParam);
}

void TWindowDispatcher::Post(std::function<void()> task) {
    auto owned = std::make_unique<std::function<void()>>(std::move(task));
    if (!PostMessageW(window_.Handle(), kPostedTask, 0, reinterpret_cast<LPARAM>(owned.get())))
        RaiseLastOSError("PostMessageW");
    owned.release();  // the window procedure frees it
}

void TWindowDispatcher::Send(std::function<void()> task) {
    if (IsUiThread()) {
        task();
        return;
    }
    TSentTask sent{std::move(task), nullptr};
    SendMessageW(window_.Handle(), kSentTask, 0, reinterpret_cast<LPARAM>(&sent));
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

std::optional<LRESULT> TWindowDispatcher::HandleMessage(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case kPostedTask: {
            // Freed however the task ends; an error it raises has nobody else
            // to go to and reaches the error display through the window's
            // boundary.
            const std::unique_ptr<std::function<void()>> task(
                reinterpret_cast<std::function<void()>*>(lParam));
            (*task)();
            return 0;
        }
        case kSentTask: {
            auto* sent = reinterpret_cast<TSentTask*>(lParam);
            try {
                sent->run();
            } catch (...) {
                sent->error = std::current_exception();
            }
            return 1;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace nimbra
