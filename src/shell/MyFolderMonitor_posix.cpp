// The folder monitor on Linux: inotify, one watch per folder of the subtree.
#include <dirent.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/OsError.h"
#include "base/UiDispatcher.h"
#include "shell/MyFolderMonitor.h"
#include "utils/MiscUtils.h"

namespace nimbra {

namespace {

// The Windows filter bits, as FolderNotifyFilter gives them.
constexpr std::uint32_t kFileName = 0x001;
constexpr std::uint32_t kDirName = 0x002;
constexpr std::uint32_t kAttributes = 0x004;
constexpr std::uint32_t kSize = 0x008;
constexpr std::uint32_t kLastWrite = 0x010;
constexpr std::uint32_t kSecurity = 0x100;

constexpr std::uint32_t kNameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;

class TFd {
  public:
    explicit TFd(int fd = -1) : fd_(fd) {}
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    ~TFd() {
        if (fd_ >= 0)
            close(fd_);
    }
    int Get() const { return fd_; }

  private:
    int fd_;
};

// The inotify events to ask for, given the filter.
std::uint32_t WatchMask(std::uint32_t filter, bool subtree) {
    std::uint32_t mask = IN_DONT_FOLLOW | IN_ONLYDIR | IN_EXCL_UNLINK;
    if ((filter & (kFileName | kDirName)) != 0)
        mask |= kNameEvents;
    // Touching a file (a new write time), chmod and chown all come as IN_ATTRIB.
    if ((filter & (kAttributes | kLastWrite | kSecurity)) != 0)
        mask |= IN_ATTRIB;
    if ((filter & (kSize | kLastWrite)) != 0)
        mask |= IN_MODIFY;
    // New subfolders must be seen to be watched, whatever the filter.
    if (subtree)
        mask |= IN_CREATE | IN_MOVED_TO;
    return mask;
}

// Whether an event is one of the changes the filter asks for.
bool IsWanted(const inotify_event& event, std::uint32_t filter) {
    if ((event.mask & IN_Q_OVERFLOW) != 0)
        return true;  // events were lost: whatever they were, something changed
    if ((event.mask & kNameEvents) != 0)
        return (filter & ((event.mask & IN_ISDIR) != 0 ? kDirName : kFileName)) != 0;
    if ((event.mask & IN_ATTRIB) != 0)
        return (filter & (kAttributes | kLastWrite | kSecurity)) != 0;
    if ((event.mask & IN_MODIFY) != 0)
        return (filter & (kSize | kLastWrite)) != 0;
    return false;
}

// The watches of one folder or subtree, with the path of each.
class TWatchTree {
  public:
    TWatchTree(int inotify, std::uint32_t mask, bool subtree)
        : inotify_(inotify), mask_(mask), subtree_(subtree) {}

    // Watches `root` (and, for a subtree, every folder below it). False when
    // the root itself cannot be watched.
    bool AddRoot(const std::string& root) {
        const int wd = inotify_add_watch(inotify_, root.c_str(), mask_);
        if (wd < 0)
            return false;
        rootWd_ = wd;
        paths_[wd] = root;
        if (subtree_)
            AddBelow(root);
        return true;
    }

    // Reads one batch of events; true when one of them is a wanted change.
    // `rootGone` is set when the root's watch has ended (folder deleted).
    bool ReadBatch(std::uint32_t filter, bool& rootGone) {
        bool changed = false;
        alignas(inotify_event) char buffer[16384];
        for (;;) {
            const ssize_t length = read(inotify_, buffer, sizeof buffer);
            if (length <= 0)
                break;
            for (ssize_t offset = 0; offset < length;) {
                inotify_event event;
                std::memcpy(&event, buffer + offset, sizeof event);
                const char* name = buffer + offset + sizeof(inotify_event);
                offset += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
                changed = IsWanted(event, filter) || changed;
                Track(event, event.len > 0 ? name : "", rootGone);
            }
        }
        return changed;
    }

  private:
    void Track(const inotify_event& event, const char* name, bool& rootGone) {
        if ((event.mask & IN_IGNORED) != 0) {
            paths_.erase(event.wd);
            if (event.wd == rootWd_)
                rootGone = true;
            return;
        }
        if (!subtree_)
            return;
        if ((event.mask & IN_Q_OVERFLOW) != 0) {
            // Folders created while events were lost are found by a new walk.
            const auto root = paths_.find(rootWd_);
            if (root != paths_.end())
                AddBelow(root->second);
            return;
        }
        if ((event.mask & IN_ISDIR) != 0 && (event.mask & (IN_CREATE | IN_MOVED_TO)) != 0) {
            const auto parent = paths_.find(event.wd);
            if (parent != paths_.end())
                AddTree(parent->second + "/" + name);
        }
    }

    // Watches `folder` and everything below it. A folder reached twice (the
    // kernel gives the same watch for the same folder) is not walked again,
    // so loops through bind mounts end; folders that cannot be watched (no
    // access, the system's limit of watches) are left out quietly.
    void AddTree(const std::string& folder) {
        const int wd = inotify_add_watch(inotify_, folder.c_str(), mask_);
        if (wd < 0)
            return;
        if (!paths_.emplace(wd, folder).second)
            return;
        AddBelow(folder);
    }

    void AddBelow(const std::string& top) {
        std::vector<std::string> pending{top};
        while (!pending.empty()) {
            const std::string folder = std::move(pending.back());
            pending.pop_back();
            std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), &closedir);
            if (!dir)
                continue;
            while (const dirent* entry = readdir(dir.get())) {
                const std::string_view name = entry->d_name;
                if (name == "." || name == ".." || entry->d_type != DT_DIR)
                    continue;
                const std::string path = folder + "/" + entry->d_name;
                const int wd = inotify_add_watch(inotify_, path.c_str(), mask_);
                if (wd >= 0 && paths_.emplace(wd, path).second)
                    pending.push_back(path);
            }
        }
    }

    int inotify_;
    std::uint32_t mask_;
    bool subtree_;
    int rootWd_ = -1;
    std::unordered_map<int, std::string> paths_;
};

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
    if (inotify.Get() < 0)
        return;
    TWatchTree tree(inotify.Get(), WatchMask(params.filter, params.subtree), params.subtree);
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
