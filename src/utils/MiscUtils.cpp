#include "utils/MiscUtils.h"

#include "base/Locale.h"
#include "base/Unicode.h"

namespace nimbra {

std::string JoinPath(std::string_view first, std::string_view second) {
    std::string path(first);
    if (!first.empty() && first.back() != '\\' && first.back() != ':')
        path += '\\';
    path += second;
    return path;
}

std::string NativePath(std::string_view path) {
    std::string native(path);
#ifndef _WIN32
    for (char& c : native)
        if (c == '\\')
            c = '/';
#endif
    return native;
}

std::string StripHotkey(std::string_view text, bool farEastLocale) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    // UTF-8 continuation bytes are never "&", so stepping whole code points
    // keeps a multi-byte character from being taken apart.
    while (pos < text.size()) {
        if (text[pos] != '&') {
            std::size_t next = pos;
            DecodeUtf8(text, next);
            out.append(text.substr(pos, next - pos));
            pos = next;
            continue;
        }
        const std::size_t charStart = pos + 1;
        std::size_t charEnd = charStart;
        if (charStart < text.size())
            DecodeUtf8(text, charEnd);
        if (farEastLocale && !out.empty() && out.back() == '(' && charEnd > charStart &&
            charEnd < text.size() && text[charEnd] == ')') {
            out.pop_back();  // "(" already copied
            pos = charEnd + 1;
            continue;
        }
        out.append(text.substr(charStart, charEnd - charStart));
        pos = charEnd;
    }
    return out;
}

std::string StripHotkey(std::string_view text) {
    return StripHotkey(text, IsFarEastLocale());
}

}  // namespace nimbra
