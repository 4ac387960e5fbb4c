#include "support/TestFolders.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <random>

namespace nimbra::testing_support {

namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = fs::temp_directory_path() / ("nimbra-test-" + std::to_string(random()) + "-" +
                                         std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Tests may have taken permissions away; give them back before removing.
    for (auto it = fs::recursive_directory_iterator(
             path_, fs::directory_options::skip_permission_denied, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(path_, ignored);
}

fs::path TempDir::MakeDir(const std::string& relative) const {
    const fs::path dir = path_ / fs::u8path(relative);
    fs::create_directories(dir);
    return dir;
}

fs::path TempDir::MakeFile(const std::string& relative, const std::string& content) const {
    const fs::path file = path_ / fs::u8path(relative);
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
    return file;
}

std::string PathText(const fs::path& path) {
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

ShellFolderOverride::ShellFolderOverride(std::map<TShellFolder, std::string> paths)
    : previous_(SetShellFolderResolver([paths = std::move(paths)](TShellFolder folder, bool) {
          const auto it = paths.find(folder);
          return it == paths.end() ? std::string() : it->second;
      })) {}

ShellFolderOverride::~ShellFolderOverride() {
    SetShellFolderResolver(std::move(previous_));
}

}  // namespace nimbra::testing_support
