#pragma once

#include <filesystem>
#include <string>

namespace nimbra {

// A path as the program's UTF-8 text.
std::string PathToUtf8(const std::filesystem::path& path);

// A fresh folder below the system's temporary folder, removed with its
// contents when the object goes.
class TTempFolder {
  public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The folder, or a name below it, as the program's UTF-8 text.
    std::string Utf8(const std::filesystem::path& below = {}) const;

  private:
    std::filesystem::path path_;
};

}  // namespace nimbra
