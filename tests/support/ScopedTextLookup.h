#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "utils/NewLangUtils.h"

namespace nimbra::testing_support {

// Makes a language active for the object's lifetime: it has the texts
// given, by section and ident; every other text keeps its default.
class ScopedTextLookup {
  public:
    using Texts = std::map<std::pair<std::string, std::string>, std::string>;

    explicit ScopedTextLookup(Texts texts) {
        SetActiveTextLookup(
            [texts = std::move(texts)](std::string_view section,
                                       std::string_view ident) -> std::optional<std::string> {
                const auto it = texts.find({std::string(section), std::string(ident)});
                return it == texts.end() ? std::nullopt : std::optional<std::string>(it->second);
            });
    }
    ~ScopedTextLookup() { SetActiveTextLookup({}); }
    ScopedTextLookup(const ScopedTextLookup&) = delete;
    ScopedTextLookup& operator=(const ScopedTextLookup&) = delete;
};

}  // namespace nimbra::testing_support
