#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <string>

#include "base/Handles_posix.h"
#include "search/FileBrowser.h"
#include "utils/MiscUtils.h"

namespace nimbra {

struct TFileBrowser::Listing {
    TDirHandle dir;
    std::string nativeFolder;
};

TFileBrowser::TFileBrowser() = default;
TFileBrowser::~TFileBrowser() = default;

void TFileBrowser::Close() {
    listing_.reset();
    exhausted_ = false;
}

namespace {

TDateTime StatTimeUtc(const struct stat& st) {
    return UnixTimeToUtcDateTime(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
}

// "*.*" and "*" list everything, as they do on Windows.
bool MatchesFilter(const std::string& filter, const char* name) {
    if (filter.empty() || filter == "*.*" || filter == "*")
        return true;
    return fnmatch(filter.c_str(), name, 0) == 0;
}

}  // namespace

bool TFileBrowser::Next() {
    if (exhausted_)
        return false;
    if (!listing_) {
        listing_ = std::make_unique<Listing>();
        listing_->nativeFolder = NativePath(path_);
        listing_->dir.Reset(
            opendir(listing_->nativeFolder.empty() ? "." : listing_->nativeFolder.c_str()));
        if (!listing_->dir) {
            exhausted_ = true;
            return false;
        }
        if (!listing_->nativeFolder.empty() && listing_->nativeFolder.back() != '/')
            listing_->nativeFolder += '/';
    }
    while (dirent* entry = readdir(listing_->dir.Get())) {
        const char* name = entry->d_name;
        if ((name[0] == '.' && name[1] == '\0') ||
            (name[0] == '.' && name[1] == '.' && name[2] == '\0'))
            continue;
        if (!MatchesFilter(filter_, name))
            continue;
        const std::string full = listing_->nativeFolder + name;
        struct stat st {};
        // Links are followed, as directory links are on Windows; a broken
        // link is listed as what it is.
        if (stat(full.c_str(), &st) != 0 && lstat(full.c_str(), &st) != 0)
            continue;
        name_ = name;
        isDirectory_ = S_ISDIR(st.st_mode);
        lastWrite_ = converter_.ToLocal(StatTimeUtc(st));
        device_ = static_cast<std::uint64_t>(st.st_dev);
        node_ = static_cast<std::uint64_t>(st.st_ino);
        return true;
    }
    exhausted_ = true;
    listing_.reset();
    return false;
}

bool TFileBrowser::ReadFolderTime(const std::string& folder, TDateTime& changed) {
    struct stat st {};
    if (folder.empty() || stat(NativePath(folder).c_str(), &st) != 0)
        return false;
    changed = UtcToLocal(StatTimeUtc(st));
    return true;
}

bool TFileBrowser::ReadFolderId(const std::string& folder, std::uint64_t& device,
                                std::uint64_t& node) {
    struct stat st {};
    if (folder.empty() || stat(NativePath(folder).c_str(), &st) != 0)
        return false;
    device = static_cast<std::uint64_t>(st.st_dev);
    node = static_cast<std::uint64_t>(st.st_ino);
    return true;
}

}  // namespace nimbra
