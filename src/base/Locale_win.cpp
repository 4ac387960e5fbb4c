#include <windows.h>

#include "base/Locale.h"
#include "base/Unicode.h"

namespace nimbra {

std::string AnsiUpperCase(std::string_view text) {
    if (text.empty())
        return {};
    std::wstring wide = ToWide(text);
    const int size = static_cast<int>(wide.size());
    const int needed = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, wide.c_str(), size,
                                     nullptr, 0, nullptr, nullptr, 0);
    if (needed <= 0)
        return std::string(text);
    std::wstring upper(static_cast<std::size_t>(needed), L'\0');
    LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, wide.c_str(), size, upper.data(),
                  needed, nullptr, nullptr, 0);
    return ToUtf8(upper);
}

namespace {

int CompareWide(std::string_view a, std::string_view b, DWORD flags) {
    const std::wstring wa = ToWide(a);
    const std::wstring wb = ToWide(b);
    const int result =
        CompareStringEx(LOCALE_NAME_USER_DEFAULT, flags, wa.c_str(), static_cast<int>(wa.size()),
                        wb.c_str(), static_cast<int>(wb.size()), nullptr, nullptr, 0);
    // CSTR_LESS_THAN = 1, CSTR_EQUAL = 2, CSTR_GREATER_THAN = 3; 0 is a failure,
    // where an ordinal comparison is the best remaining answer.
    if (result == 0)
        return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
    return result - CSTR_EQUAL;
}

}  // namespace

int AnsiCompareText(std::string_view a, std::string_view b) {
    return CompareWide(a, b, NORM_IGNORECASE);
}

std::string AnsiSortKey(std::string_view text) {
    const std::wstring wide = ToWide(text);
    const int size = static_cast<int>(wide.size());
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int needed = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kFlags, wide.c_str(), size, nullptr,
                                     0, nullptr, nullptr, 0);
    if (needed <= 0)
        return std::string(text);
    // A sort key is a byte string, written through the wide-character
    // parameter as the API documents.
    std::string key(static_cast<std::size_t>(needed), '\0');
    LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kFlags, wide.c_str(), size,
                  reinterpret_cast<LPWSTR>(key.data()), needed, nullptr, nullptr, 0);
    return key;
}

int AnsiCompareStr(std::string_view a, std::string_view b) {
    return CompareWide(a, b, 0);
}

bool IsFarEastLocale() {
    switch (PRIMARYLANGID(GetUserDefaultLangID())) {
        case LANG_CHINESE:
        case LANG_JAPANESE:
        case LANG_KOREAN:
            return true;
        default:
            return false;
    }
}

}  // namespace nimbra
