#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "shell/SysFolders.h"

namespace nimbra::testing_support {

// A temporary folder tree that is removed with the object.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Creates a folder (and its parents) below the root; returns its path.
    std::filesystem::path MakeDir(const std::string& relative) const;
    // Creates a file with the given content below the root.
    std::filesystem::path MakeFile(const std::string& relative,
                                   const std::string& content = {}) const;

  private:
    std::filesystem::path path_;
};

// The program's own path text of a folder (UTF-8).
std::string PathText(const std::filesystem::path& path);

// Points special folders at chosen folders for the lifetime of the object;
// every folder not in the map has no path.
class ShellFolderOverride {
  public:
    explicit ShellFolderOverride(std::map<TShellFolder, std::string> paths);
    ~ShellFolderOverride();
    ShellFolderOverride(const ShellFolderOverride&) = delete;
    ShellFolderOverride& operator=(const ShellFolderOverride&) = delete;

  private:
    TShellFolderResolver previous_;
};

}  // namespace nimbra::testing_support
