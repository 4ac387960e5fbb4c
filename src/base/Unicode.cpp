#include "base/Unicode.h"

namespace nimbra {

namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

bool IsSurrogate(char32_t cp) {
    return cp >= 0xD800 && cp <= 0xDFFF;
}

}  // namespace

char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
        minimum = 0x10000;
    } else {
        ++pos;
        return kReplacementChar;
    }
    if (pos + length > text.size()) {
        ++pos;
        return kReplacementChar;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[pos + i]);
        if (!IsContinuation(c)) {
            ++pos;
            return kReplacementChar;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if (cp < minimum || cp > 0x10FFFF || IsSurrogate(cp)) {
        ++pos;
        return kReplacementChar;
    }
    pos += length;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || IsSurrogate(cp))
        cp = kReplacementChar;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsValidUtf8(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        if (DecodeUtf8(text, pos) == kReplacementChar) {
            // A literal U+FFFD is valid; only a one-byte step marks an error.
            if (pos - start == 1)
                return false;
        }
    }
    return true;
}

namespace {

// A surrogate code unit written alone as a three-byte sequence (ED A0 80 to
// ED BF BF), as WTF-8 does; false when the bytes at `pos` are no such form.
bool DecodeLoneSurrogate(std::string_view text, std::size_t& pos, char32_t& unit) {
    if (pos + 3 > text.size() || static_cast<unsigned char>(text[pos]) != 0xED)
        return false;
    const auto second = static_cast<unsigned char>(text[pos + 1]);
    const auto third = static_cast<unsigned char>(text[pos + 2]);
    if (second < 0xA0 || second > 0xBF || !IsContinuation(third))
        return false;
    unit = 0xD000 | ((second & 0x3F) << 6) | (third & 0x3F);
    pos += 3;
    return true;
}

void AppendLoneSurrogate(std::string& out, char32_t unit) {
    out += static_cast<char>(0xE0 | (unit >> 12));
    out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (unit & 0x3F));
}

// Like DecodeUtf8, but a lone surrogate's three bytes give the surrogate.
char32_t DecodeWtf8(std::string_view text, std::size_t& pos) {
    char32_t unit = 0;
    if (DecodeLoneSurrogate(text, pos, unit))
        return unit;
    return DecodeUtf8(text, pos);
}

enum class TLoneSurrogates { lsKeep, lsReplace };

std::string Utf16ToUtf8(std::u16string_view text, TLoneSurrogates lone) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            const char32_t cp =
                0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            AppendUtf8(out, cp);
            ++i;
        } else if (IsSurrogate(unit) && lone == TLoneSurrogates::lsKeep) {
            AppendLoneSurrogate(out, unit);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t cp = DecodeWtf8(text, pos);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    return Utf16ToUtf8(text, TLoneSurrogates::lsKeep);
}

std::wstring ToWide(std::string_view text) {
    if constexpr (sizeof(wchar_t) == 2) {
        const std::u16string utf16 = Utf8ToUtf16(text);
        return std::wstring(utf16.begin(), utf16.end());
    } else {
        std::wstring out;
        out.reserve(text.size());
        std::size_t pos = 0;
        while (pos < text.size())
            out += static_cast<wchar_t>(DecodeWtf8(text, pos));
        return out;
    }
}

std::string ToUtf8(std::wstring_view text) {
    if constexpr (sizeof(wchar_t) == 2) {
        const std::u16string utf16(text.begin(), text.end());
        return Utf16ToUtf8(utf16);
    } else {
        std::string out;
        out.reserve(text.size());
        for (wchar_t c : text) {
            const auto cp = static_cast<char32_t>(c);
            if (IsSurrogate(cp))
                AppendLoneSurrogate(out, cp);
            else
                AppendUtf8(out, cp);
        }
        return out;
    }
}

namespace {

// UTF-16 after its byte-order mark; an odd last byte is a broken unit and
// becomes U+FFFD rather than vanishing.
std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string wide(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        wide[i] = static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    if (bytes.size() % 2 != 0)
        wide += static_cast<char16_t>(kReplacementChar);
    // Texts from files are shown, not handed back to the system.
    return Utf16ToUtf8(wide, TLoneSurrogates::lsReplace);
}

}  // namespace

std::string DecodeTextFile(std::string_view bytes) {
    // UTF-16 with its mark: what Windows tools save as "Unicode" (little
    // endian) or "Unicode big endian".
    if (bytes.starts_with("\xFF\xFE"))
        return DecodeUtf16(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF"))
        return DecodeUtf16(bytes.substr(2), true);
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (bytes.starts_with(kBom))
        bytes.remove_prefix(kBom.size());
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    return AnsiToUtf8(bytes);
}

}  // namespace nimbra
