// The folder monitor on Linux: inotify, one watch per folder of the subtree.
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "base/Handles_posix.h"
#include "base/OsError.h"
#include "base/UiDispatcher.h"
#include "shell/MyFolderMonitor.h"
#include "shell/WatchTree_posix.h"
#include "utils/MiscUtils.h"

namespace nimbra {

namespace {

// What the watcher thread gets: its own copy of everything it needs.
struct TThreadParams {
    UiDispatcher* dispatcher;
    std::function<void()> deliver;  // runs on the interface thread
    std::uint32_t filter;
    bool subtree;
    std::string folder;
    int stopEvent;
};

void WatchFolder(const TThreadParams& params) {
    const TFd inotify(inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    if (!inotify)
        return;
    TWatchTree tree(inotify.Get(), WatchMask(params.filter, params.subtree), params.subtree,
                    params.stopEvent);
    // A folder that cannot be watched is not reported: the monitor stays
    // silent until it is restarted.
    if (!tree.AddRoot(params.folder))
        return;
    pollfd fds[2] = {{params.stopEvent, POLLIN, 0}, {inotify.Get(), POLLIN, 0}};
    for (;;) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;  // the wait itself failed: end, as a failed re-arm does
        }
        if ((fds[0].revents & POLLIN) != 0)
            return;
        if ((fds[1].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
            return;
        bool rootGone = false;
        if (tree.ReadBatch(params.filter, rootGone))
            params.dispatcher->Post(params.deliver);
        if (rootGone)
            return;
    }
}

}  // namespace

struct TMyFolderMonitor::TWatcher {
    TFd stopEvent;
    std::thread thread;
    // Set to false when the monitor goes (interface thread), read by the
    // delivery tasks (interface thread): a task still queued then does nothing.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);

    explicit TWatcher(int stop) : stopEvent(stop) {}
};

void TMyFolderMonitor::TWatcherDeleter::operator()(TWatcher* watcher) const noexcept {
    *watcher->alive = false;
    delete watcher;
}

void TMyFolderMonitor::StartWatcher(std::uint32_t filter) {
    if (dispatcher_ == nullptr)
        throw EMyFolderMonitorError("No dispatcher to the interface thread");
    if (!watcher_) {
        const int stop = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        if (stop < 0)
            throw EMyFolderMonitorError("Out of system resources");
        watcher_.reset(new TWatcher(stop));
    }
    // Reset: an eventfd is drained by reading it.
    std::uint64_t pending = 0;
    while (read(watcher_->stopEvent.Get(), &pending, sizeof pending) > 0) {
    }
    auto alive = watcher_->alive;
    TThreadParams params{dispatcher_,
                         [this, alive] {
                             if (*alive)
                                 DeliverChange();
                         },
                         filter,
                         recursive_,
                         NativePath(folder_),
                         watcher_->stopEvent.Get()};
    try {
        watcher_->thread = std::thread([params = std::move(params)] { WatchFolder(params); });
    } catch (const std::system_error& e) {
        RaiseOSError("pthread_create", static_cast<unsigned long>(e.code().value()));
    }
}

void TMyFolderMonitor::StopWatcher() noexcept {
    if (!watcher_ || !watcher_->thread.joinable())
        return;
    const std::uint64_t one = 1;
    // An eventfd write of 1 cannot fail short of an overflow of the counter.
    [[maybe_unused]] const ssize_t written = write(watcher_->stopEvent.Get(), &one, sizeof one);
    watcher_->thread.join();
}

bool TMyFolderMonitor::Running() const {
    return watcher_ && watcher_->thread.joinable();
}

}  // namespace nimbra
