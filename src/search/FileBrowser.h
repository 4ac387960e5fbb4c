#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/DateTime.h"

namespace nimbra {

// Steps through the entries of one folder, in the order the platform lists
// them, skipping "." and "..". A folder that does not exist or cannot be
// listed simply has no entries.
class TFileBrowser {
  public:
    TFileBrowser();
    ~TFileBrowser();
    TFileBrowser(const TFileBrowser&) = delete;
    TFileBrowser& operator=(const TFileBrowser&) = delete;

    const std::string& Path() const { return path_; }
    // Ends any listing in progress.
    void SetPath(const std::string& path);
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& filter);

    // Moves to the next entry, starting the listing on the first call;
    // false when the listing is exhausted or cannot be started.
    bool Next();

    const std::string& Name() const { return name_; }
    std::string FullPath() const;
    bool IsDirectory() const { return isDirectory_; }
    // Last-write time, local time.
    TDateTime LastWriteTime() const { return lastWrite_; }
    // Identifies a directory across links (device and inode) where the
    // platform has them, so a scan can tell a folder it is already inside.
    std::uint64_t DeviceId() const { return device_; }
    std::uint64_t NodeId() const { return node_; }

    // The folder's own last-write time (local), read for that exact path;
    // false when the platform has no entry for it (a drive root).
    static bool ReadFolderTime(const std::string& folder, TDateTime& changed);
    // Device and inode of a folder; false where the platform has none.
    static bool ReadFolderId(const std::string& folder, std::uint64_t& device, std::uint64_t& node);

  private:
    struct Listing;
    void Close();

    std::string path_;
    std::string filter_ = "*.*";
    std::unique_ptr<Listing> listing_;
    bool exhausted_ = false;
    std::string name_;
    bool isDirectory_ = false;
    TDateTime lastWrite_ = kZeroDate;
    std::uint64_t device_ = 0;
    std::uint64_t node_ = 0;
    TLocalTimeConverter converter_;
};

}  // namespace nimbra
