#pragma once

#include <string>
#include <string_view>

namespace nimbra {

// The first part, then a backslash unless the first part is empty or already
// ends in a backslash or a colon, then the second part.
std::string JoinPath(std::string_view first, std::string_view second);

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
