#include "support/ScopedTmpfs_posix.h"

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace nimbra::testing_support {

namespace {

std::filesystem::path NewMountPoint() {
    static int counter = 0;
    std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("nimbra-mount-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(path);
    return path;
}

}  // namespace

ScopedTmpfs::ScopedTmpfs(const std::string& size) : path_(NewMountPoint()) {
    const std::string options = "size=" + size + ",mode=0777";
    if (::mount("tmpfs", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0)
        mounted_ = true;
    else
        reason_ = std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
}

ScopedTmpfs::~ScopedTmpfs() {
    // Lazily when busy, so that the folder goes whatever a failed test left
    // open.
    if (mounted_ && ::umount2(path_.c_str(), 0) != 0)
        ::umount2(path_.c_str(), MNT_DETACH);
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

bool ScopedTmpfs::MakeReadOnly() {
    if (!mounted_)
        return false;
    if (::mount(nullptr, path_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV,
                nullptr) == 0)
        return true;
    reason_ = std::string("cannot remount read-only: ") + std::strerror(errno);
    return false;
}

}  // namespace nimbra::testing_support
