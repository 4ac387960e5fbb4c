#pragma once

#include <filesystem>
#include <string>

namespace nimbra::testing_support {

// A small tmpfs mounted on a new folder for the lifetime of the object, to
// make a full disk or a read-only folder for real. Mounting needs rights a
// test run may not have: check Mounted() and skip with Reason().
class ScopedTmpfs {
  public:
    // `size` as mount(8) takes it ("64k").
    explicit ScopedTmpfs(const std::string& size);
    ~ScopedTmpfs();
    ScopedTmpfs(const ScopedTmpfs&) = delete;
    ScopedTmpfs& operator=(const ScopedTmpfs&) = delete;

    bool Mounted() const { return mounted_; }
    // Why the folder could not be mounted.
    const std::string& Reason() const { return reason_; }
    const std::filesystem::path& Path() const { return path_; }
    // Remounts the folder read-only (files written before stay); false with
    // Reason() set when that fails.
    bool MakeReadOnly();

  private:
    std::filesystem::path path_;
    bool mounted_ = false;
    std::string reason_;
};

}  // namespace nimbra::testing_support
