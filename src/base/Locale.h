#pragma once

#include <string>
#include <string_view>

namespace nimbra {

// Upper-casing and comparison that follow the user's locale, on UTF-8 text.
std::string AnsiUpperCase(std::string_view text);
// Appends the upper-case form to `out` (no temporary for ASCII text).
void AppendAnsiUpperCase(std::string& out, std::string_view text);
// Case-insensitive comparison: negative, zero or positive.
int AnsiCompareText(std::string_view a, std::string_view b);
inline bool AnsiSameText(std::string_view a, std::string_view b) {
    return AnsiCompareText(a, b) == 0;
}
// A byte string whose plain (memcmp) order is AnsiCompareText's order:
// sorting many names by their keys costs one conversion per name instead of
// one per comparison.
std::string AnsiSortKey(std::string_view text);
// Case-sensitive comparison with the locale's rules.
int AnsiCompareStr(std::string_view a, std::string_view b);

// ASCII-only forms, for identifiers and file extensions.
std::string AsciiUpperCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);

// True when the user's locale is Chinese, Japanese or Korean; these menus
// write accelerators as "(&X)" after the caption.
bool IsFarEastLocale();

}  // namespace nimbra
