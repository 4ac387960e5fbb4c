#pragma once

#include <string>
#include <string_view>

namespace nimbra {

// Every string inside the program is UTF-8; the platform's wide strings
// (UTF-16 on Windows) appear only at API boundaries. Invalid input never
// fails: each undecodable byte becomes U+FFFD. An unpaired surrogate of a
// wide string (Windows allows them in file names) is carried through UTF-8
// in its three-byte form (as WTF-8 does), so that such a name converted to
// UTF-8 and back still names the same file; DecodeUtf8 and IsValidUtf8 stay
// strict and refuse that form, and text files show U+FFFD for it.

constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes the code point starting at `pos` and advances `pos` past it.
// An invalid or truncated sequence yields U+FFFD and advances by one byte.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos);
void AppendUtf8(std::string& out, char32_t codePoint);
bool IsValidUtf8(std::string_view text);

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// The platform's wchar_t strings: UTF-16 on Windows, UTF-32 elsewhere.
std::wstring ToWide(std::string_view text);
std::string ToUtf8(std::wstring_view text);

// Text read from a file we did not write (language files, INI files, .url
// files): UTF-16 with its byte-order mark (either byte order) is converted,
// an odd last byte becoming U+FFFD; a UTF-8 byte-order mark is skipped;
// valid UTF-8 is kept as it is, anything else is taken to be in the
// system's ANSI code page.
std::string DecodeTextFile(std::string_view bytes);

// Converts text in the system's ANSI code page to UTF-8 (on non-Windows
// builds the code page is Windows-1252).
std::string AnsiToUtf8(std::string_view text);

}  // namespace nimbra
