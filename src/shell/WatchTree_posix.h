#pragma once

// The inotify watches of one folder or subtree (Linux), kept by the folder
// monitor's watcher thread.
#include <sys/inotify.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

namespace nimbra {

// The inotify events to ask for, given the filter (FolderNotifyFilter's
// bits).
std::uint32_t WatchMask(std::uint32_t filter, bool subtree);
// Whether an event is one of the changes the filter asks for.
bool IsWantedEvent(const inotify_event& event, std::uint32_t filter);

// One watch per folder, with the path of each. A watch of a subtree follows
// the folders created, moved in or renamed below its root.
class TWatchTree {
  public:
    // `stopEvent` is a descriptor that becomes readable when the watcher is
    // asked to stop; walks over the tree end early once it is.
    TWatchTree(int inotify, std::uint32_t mask, bool subtree, int stopEvent);

    // Watches `root` (and, for a subtree, every folder below it). The root
    // may be a symbolic link to a folder; links below it are not followed.
    // False when the root itself cannot be watched.
    bool AddRoot(const std::string& root);

    // Reads the events there are; true when one of them is a wanted change.
    // `rootGone` is set when the root's watch has ended (folder deleted).
    bool ReadBatch(std::uint32_t filter, bool& rootGone);

    std::size_t WatchCount() const { return paths_.size(); }
    // The path a watch stands for; empty for an unknown watch.
    std::string PathOf(int wd) const;

  private:
    void Track(const inotify_event& event, const char* name, bool& rootGone);
    void AddTree(const std::string& folder);
    void AddBelow(const std::string& top);
    void Renamed(const std::string& from, const std::string& to);
    bool StopRequested() const;

    int inotify_;
    std::uint32_t mask_;
    bool subtree_;
    int stopEvent_;
    int rootWd_ = -1;
    std::unordered_map<int, std::string> paths_;
};

}  // namespace nimbra
