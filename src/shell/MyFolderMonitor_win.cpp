// The folder monitor on Windows: a watcher thread per monitor waits on a
// change notification and posts to the monitor's own hidden window, which
// raises the event on the interface thread. The hidden window makes a general
// dispatcher unnecessary here.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "base/Handles_win.h"
#include "base/MessageWindow_win.h"
#include "base/OsError.h"
#include "base/Unicode.h"
#include "shell/MyFolderMonitor.h"

namespace nimbra {

namespace {

// The platform's first user message number.
constexpr UINT kFolderChangeMessage = 0x0400;

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
    const TChangeNotificationHandle change(
        FindFirstChangeNotificationW(params->folder.c_str(), params->subtree, params->filter));
    if (!change)
        return 0;
    const HANDLE handles[2] = {params->stopEvent, change.Get()};
    // The stop event, a failed re-arm and a failed wait all end the thread.
    while (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        PostMessageW(params->window, kFolderChangeMessage, 0, 0);
        if (!FindNextChangeNotification(change.Get()))
            break;
    }
    return 0;
}

}  // namespace

struct TMyFolderMonitor::TWatcher {
    TMessageWindow window;
    TKernelHandle stopEvent;
    TKernelHandle thread;

    explicit TWatcher(TMyFolderMonitor* monitor)
        : window([monitor](UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
              if (message != kFolderChangeMessage)
                  return std::nullopt;
              monitor->DeliverChange();
              return 0;
          }),
          stopEvent(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
        if (!stopEvent)
            throw EMyFolderMonitorError("Out of system resources");
    }
};

void TMyFolderMonitor::TWatcherDeleter::operator()(TWatcher* watcher) const noexcept {
    delete watcher;
}

void TMyFolderMonitor::StartWatcher(std::uint32_t filter) {
    if (!watcher_) {
        try {
            watcher_.reset(new TWatcher(this));
        } catch (const EOSError&) {
            throw EMyFolderMonitorError("Out of system resources");
        }
    }
    ResetEvent(watcher_->stopEvent.Get());
    auto params = std::make_unique<TThreadParams>(TThreadParams{
        watcher_->window.Handle(), filter, recursive_, ToWide(folder_), watcher_->stopEvent.Get()});
    const HANDLE thread = CreateThread(nullptr, 0, &WatchThread, params.get(), 0, nullptr);
    if (thread == nullptr)
        RaiseLastOSError("CreateThread");
    params.release();  // the thread owns them now
    watcher_->thread.Reset(thread);
}

void TMyFolderMonitor::StopWatcher() noexcept {
    if (!watcher_ || !watcher_->thread)
        return;
    SetEvent(watcher_->stopEvent.Get());
    WaitForSingleObject(watcher_->thread.Get(), INFINITE);
    watcher_->thread.Reset();
}

bool TMyFolderMonitor::Running() const {
    return watcher_ && watcher_->thread;
}

}  // namespace nimbra
