#include "utils/NewLangUtils.h"

namespace nimbra {

namespace {

TTextLookup& ActiveLookup() {
    static TTextLookup lookup;
    return lookup;
}

}  // namespace

std::string GetLocalizedString(std::string_view section, std::string_view ident,
                               std::string_view defaultText) {
    const TTextLookup& lookup = ActiveLookup();
    if (lookup) {
        if (std::optional<std::string> text = lookup(section, ident))
            return std::move(*text);
    }
    return std::string(defaultText);
}

std::string GetConstString(std::string_view ident, std::string_view defaultText) {
    return GetLocalizedString(kStringConstantsSection, ident, defaultText);
}

void SetActiveTextLookup(TTextLookup lookup) {
    ActiveLookup() = std::move(lookup);
}

}  // namespace nimbra
