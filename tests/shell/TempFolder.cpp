#include "shell/TempFolder.h"

#include <atomic>
#include <chrono>
#include <system_error>

namespace nimbra {

TTempFolder::TTempFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("nimbra-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
}

TTempFolder::~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string TTempFolder::Utf8(const std::filesystem::path& below) const {
    return PathToUtf8(below.empty() ? path_ : path_ / below);
}

}  // namespace nimbra
