#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace nimbra {

// The text of Ident in Section in the active language, or Default while the
// built-in language is active or none has been chosen.
std::string GetLocalizedString(std::string_view section, std::string_view ident,
                               std::string_view defaultText);
// The same for the section "String constants section".
std::string GetConstString(std::string_view ident, std::string_view defaultText);

inline constexpr std::string_view kStringConstantsSection = "String constants section";

// Where translated texts come from: set by the language support when a
// language file becomes active, cleared (empty function) for the built-in
// language. An answer of nullopt means the file has no such text.
using TTextLookup =
    std::function<std::optional<std::string>(std::string_view section, std::string_view ident)>;
void SetActiveTextLookup(TTextLookup lookup);

}  // namespace nimbra
