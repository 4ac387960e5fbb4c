#pragma once

#include <map>
#include <string>
#include <utility>

#include "support/ScopedLanguage.h"

namespace nimbra::testing_support {

// Makes a language active for the object's lifetime: it has the texts
// given, by section and ident; every other text keeps its default.
class ScopedTextLookup {
  public:
    using Texts = std::map<std::pair<std::string, std::string>, std::string>;

    explicit ScopedTextLookup(const Texts& texts) : language_("Test", LanguageFile(texts)) {}

  private:
    // Values go in double quotes: blanks would otherwise split them into
    // lines.
    static std::string LanguageFile(const Texts& texts) {
        std::string content;
        std::string section;
        for (const auto& [key, value] : texts) {
            if (key.first != section) {
                section = key.first;
                content += "[" + section + "]\r\n";
            }
            content += key.second + "=\"" + value + "\"\r\n";
        }
        return content;
    }

    ScopedLanguage language_;
};

}  // namespace nimbra::testing_support
