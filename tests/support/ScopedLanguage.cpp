#include "support/ScopedLanguage.h"

namespace nimbra::testing_support {

ScopedLanguageFolder::ScopedLanguageFolder(const LanguageFiles& files)
    : formatSettings_(FormatSettings()) {
    if (!files.contains(std::string(kDefaultLanguage)))
        Write(std::string(kDefaultLanguage), "");
    for (const auto& [language, content] : files)
        Write(language, content);
    ClearCache();
    SetLanguageFolder(Folder());
}

ScopedLanguageFolder::~ScopedLanguageFolder() {
    SetLanguageFolder({});
    ClearCache();
    // A switch applies the language's locale; the next test starts clean.
    SetFormatSettings(formatSettings_);
}

void ScopedLanguageFolder::Write(const std::string& language, const std::string& content) const {
    dir_.MakeFile(language + std::string(kLanguageFileExt), content);
}

ScopedLanguage::ScopedLanguage(const std::string& language, const std::string& content,
                               const LanguageFiles& moreFiles)
    : files_([&] {
          LanguageFiles files = moreFiles;
          files[language] = content;
          return files;
      }()),
      localizer_(std::make_unique<TGlobalLocalizer>(nullptr)) {
    localizer_->SetActiveLanguage(language);
}

ScopedLanguage::~ScopedLanguage() {
    localizer_.reset();
}

}  // namespace nimbra::testing_support
