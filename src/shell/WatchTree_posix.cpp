#include "shell/WatchTree_posix.h"

#include <dirent.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "base/Handles_posix.h"

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

// A folder entry of a listing; links are not folders here.
bool IsFolderEntry(const std::string& folder, const dirent& entry) {
    if (entry.d_type != DT_UNKNOWN)
        return entry.d_type == DT_DIR;
    // Some file systems do not tell the kind in the listing.
    struct stat st {};
    const std::string path = folder + "/" + entry.d_name;
    return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::uint32_t WatchMask(std::uint32_t filter, bool subtree) {
    // Links below the root are not followed (the walk does not enter them).
    std::uint32_t mask = IN_DONT_FOLLOW | IN_ONLYDIR | IN_EXCL_UNLINK;
    if ((filter & (kFileName | kDirName)) != 0)
        mask |= kNameEvents;
    // Touching a file (a new write time), chmod and chown all come as IN_ATTRIB.
    if ((filter & (kAttributes | kLastWrite | kSecurity)) != 0)
        mask |= IN_ATTRIB;
    if ((filter & (kSize | kLastWrite)) != 0)
        mask |= IN_MODIFY;
    // New and renamed subfolders must be seen to be watched, whatever the filter.
    if (subtree)
        mask |= IN_CREATE | IN_MOVED_TO;
    return mask;
}

bool IsWantedEvent(const inotify_event& event, std::uint32_t filter) {
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

TWatchTree::TWatchTree(int inotify, std::uint32_t mask, bool subtree, int stopEvent)
    : inotify_(inotify), mask_(mask), subtree_(subtree), stopEvent_(stopEvent) {}

bool TWatchTree::AddRoot(const std::string& root) {
    // The root is watched where a link to it leads, as Windows watches the
    // folder a junction names.
    const int wd = inotify_add_watch(inotify_, root.c_str(), mask_ & ~IN_DONT_FOLLOW);
    if (wd < 0)
        return false;
    rootWd_ = wd;
    paths_[wd] = root;
    if (subtree_)
        AddBelow(root);
    return true;
}

bool TWatchTree::ReadBatch(std::uint32_t filter, bool& rootGone) {
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
            changed = IsWantedEvent(event, filter) || changed;
            Track(event, event.len > 0 ? name : "", rootGone);
        }
    }
    return changed;
}

std::string TWatchTree::PathOf(int wd) const {
    const auto found = paths_.find(wd);
    return found == paths_.end() ? std::string() : found->second;
}

void TWatchTree::Track(const inotify_event& event, const char* name, bool& rootGone) {
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

// Watches `folder` and everything below it. The kernel gives the same watch
// for the same folder: a folder renamed inside the tree keeps its watch and
// only its path (and those below it) change, while a folder reached twice
// under one path is not walked again, so loops through bind mounts end.
// Folders that cannot be watched (no access, the system's limit of watches)
// are left out quietly.
void TWatchTree::AddTree(const std::string& folder) {
    const int wd = inotify_add_watch(inotify_, folder.c_str(), mask_);
    if (wd < 0)
        return;
    const auto [entry, added] = paths_.emplace(wd, folder);
    if (!added) {
        if (entry->second == folder)
            return;
        Renamed(entry->second, folder);
    }
    // A renamed folder is walked too: folders made in it before its new
    // path was known could not be watched then.
    AddBelow(folder);
}

void TWatchTree::Renamed(const std::string& from, const std::string& to) {
    for (auto& [wd, path] : paths_) {
        if (path == from)
            path = to;
        else if (path.size() > from.size() && path.compare(0, from.size(), from) == 0 &&
                 path[from.size()] == '/')
            path = to + path.substr(from.size());
    }
}

void TWatchTree::AddBelow(const std::string& top) {
    std::vector<std::string> pending{top};
    while (!pending.empty() && !StopRequested()) {
        const std::string folder = std::move(pending.back());
        pending.pop_back();
        const TDirHandle dir(opendir(folder.c_str()));
        if (!dir)
            continue;
        while (const dirent* entry = readdir(dir.Get())) {
            const std::string_view name = entry->d_name;
            if (name == "." || name == ".." || !IsFolderEntry(folder, *entry))
                continue;
            const std::string path = folder + "/" + entry->d_name;
            const int wd = inotify_add_watch(inotify_, path.c_str(), mask_);
            if (wd >= 0 && paths_.emplace(wd, path).second)
                pending.push_back(path);
        }
    }
}

// A whole-tree walk can take long; a stop must not wait for it.
bool TWatchTree::StopRequested() const {
    pollfd stop{stopEvent_, POLLIN, 0};
    return poll(&stop, 1, 0) > 0 && (stop.revents & POLLIN) != 0;
}

}  // namespace nimbra
