#pragma once

// The system clipboard (Windows only): text, and bytes in a format of the
// program's own.
#include <windows.h>

#include <optional>
#include <string>

namespace nimbra {

// The number of a format registered by name (the same name gives the same
// number in every program); 0 when the system refuses it.
UINT ClipboardFormat(const std::string& name);

bool ClipboardHasFormat(UINT format);
bool ClipboardHasText();

// Empties the clipboard and puts the text on it, as 8-bit text (the system
// code page) and as wide text, and, when `format` is not 0, `data` (text
// without zero bytes; the system may round a block up) in that format. Raises an Exception when the
// clipboard cannot be opened or a block cannot be placed.
void WriteClipboard(HWND owner, const std::string& text, UINT format, const std::string& data);

// What the clipboard holds in `format` (up to the first zero byte), or as
// text (UTF-8); nothing when it holds none or cannot be opened.
std::optional<std::string> ReadClipboardData(UINT format);
std::optional<std::string> ReadClipboardText();

}  // namespace nimbra
