#pragma once

#include <string>

namespace nimbra {

// The bytes of a character in the system's ANSI code page (one, or two in a
// double-byte code page); false when the code page has no such character.
bool AnsiCodePageBytes(char32_t codePoint, std::string& bytes);

}  // namespace nimbra
