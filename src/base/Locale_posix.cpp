#include <locale.h>
#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <cwctype>

#include "base/Locale.h"
#include "base/Unicode.h"

namespace nimbra {

namespace {

// towupper follows LC_CTYPE; the program's own global locale stays "C", so
// the Unicode case tables come from a private C.UTF-8 locale object made
// once and never changed.
locale_t UnicodeCType() {
    static const locale_t loc = [] {
        locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
        if (l == static_cast<locale_t>(0))
            l = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
        return l;
    }();
    return loc;
}

char32_t UpperCodePoint(char32_t cp) {
    if (cp < 0x80)
        return (cp >= 'a' && cp <= 'z') ? cp - 'a' + 'A' : cp;
    const locale_t loc = UnicodeCType();
    if (loc == static_cast<locale_t>(0))
        return cp;
    return static_cast<char32_t>(towupper_l(static_cast<wint_t>(cp), loc));
}

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

int CompareCodePoints(std::string_view a, std::string_view b, bool ignoreCase) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        char32_t ca = DecodeUtf8(a, i);
        char32_t cb = DecodeUtf8(b, j);
        if (ignoreCase) {
            ca = UpperCodePoint(ca);
            cb = UpperCodePoint(cb);
        }
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

}  // namespace

std::string AnsiUpperCase(std::string_view text) {
    if (IsAscii(text))
        return AsciiUpperCase(text);
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size())
        AppendUtf8(out, UpperCodePoint(DecodeUtf8(text, pos)));
    return out;
}

int AnsiCompareText(std::string_view a, std::string_view b) {
    if (IsAscii(a) && IsAscii(b))
        return CompareText(a, b);
    return CompareCodePoints(a, b, true);
}

// Comparison here is by upper-case code points, and UTF-8 keeps code-point
// order byte for byte.
std::string AnsiSortKey(std::string_view text) {
    return AnsiUpperCase(text);
}

int AnsiCompareStr(std::string_view a, std::string_view b) {
    return CompareCodePoints(a, b, false);
}

bool IsFarEastLocale() {
    // The closest thing to the Windows user locale here is LANG / LC_ALL.
    for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(var);
        if (value == nullptr || *value == '\0')
            continue;
        const std::string_view lang(value);
        return lang.starts_with("zh") || lang.starts_with("ja") || lang.starts_with("ko");
    }
    return false;
}

}  // namespace nimbra
