#pragma once

#include <string>
#include <string_view>

namespace nimbra {

// The first part, then a backslash unless the first part is empty or already
// ends in a backslash or a colon, then the second part.
std::string JoinPath(std::string_view first, std::string_view second);

// The folder of a path: everything before its last backslash or colon. The
// backslash itself is dropped unless it follows a colon or is the first
// character, so C:\dir\x gives C:\dir and C:\x gives C:\; a name
// without either gives "".
std::string ExtractFileDir(std::string_view path);

// The path as the system's file functions take it. Paths are joined with
// backslashes everywhere in the program; outside Windows they become
// slashes here. (A name holding a backslash cannot be reached there; such
// names are rare outside Windows.)
std::string NativePath(std::string_view path);

// Removes menu accelerator marks: each "&" goes and the character after it
// stays ("&&" leaves one "&"). In a Far-East locale an accelerator written as
// "(&X)" goes with its parentheses and letter.
std::string StripHotkey(std::string_view text, bool farEastLocale);
// The same, with the user's locale deciding.
std::string StripHotkey(std::string_view text);

}  // namespace nimbra
