#pragma once

#include <map>
#include <memory>
#include <string>

#include "base/FormatSettings.h"
#include "support/TestFolders.h"
#include "utils/NewLangUtils.h"

namespace nimbra::testing_support {

// Language files by language name ("German") and content.
using LanguageFiles = std::map<std::string, std::string>;

// Language files in a folder of their own, which the program looks in for
// the object's lifetime. Files are given by language name ("German") and
// content; the folder also gets an empty "Default.lng" unless one is given.
class ScopedLanguageFolder {
  public:
    explicit ScopedLanguageFolder(const LanguageFiles& files = {});
    ~ScopedLanguageFolder();
    ScopedLanguageFolder(const ScopedLanguageFolder&) = delete;
    ScopedLanguageFolder& operator=(const ScopedLanguageFolder&) = delete;

    std::string Folder() const { return PathText(dir_.Path()); }
    // Writes (or replaces) one language file.
    void Write(const std::string& language, const std::string& content) const;

  private:
    TempDir dir_;
    TFormatSettings formatSettings_;
};

// Makes `language` the program's language for the object's lifetime: a
// global localizer in a language folder of its own switches to it.
class ScopedLanguage {
  public:
    ScopedLanguage(const std::string& language, const std::string& content,
                   const LanguageFiles& moreFiles = {});
    ~ScopedLanguage();

    TGlobalLocalizer& Localizer() { return *localizer_; }
    const ScopedLanguageFolder& Files() const { return files_; }

  private:
    ScopedLanguageFolder files_;
    std::unique_ptr<TGlobalLocalizer> localizer_;
};

}  // namespace nimbra::testing_support
