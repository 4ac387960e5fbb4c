#include <windows.h>

#include "base/Unicode.h"
#include "help/HelpCodePage.h"

namespace nimbra {

bool AnsiCodePageBytes(char32_t codePoint, std::string& bytes) {
    std::string utf8;
    AppendUtf8(utf8, codePoint);
    const std::u16string wide = Utf8ToUtf16(utf8);
    char buffer[8];
    BOOL usedDefault = FALSE;
    // No best fit: a character the code page lacks must not turn into a
    // look-alike; the caller then writes it as Unicode.
    const int length = ::WideCharToMultiByte(
        CP_ACP, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(wide.data()),
        static_cast<int>(wide.size()), buffer, sizeof buffer, nullptr, &usedDefault);
    if (length <= 0 || usedDefault)
        return false;
    bytes.assign(buffer, static_cast<std::size_t>(length));
    return true;
}

}  // namespace nimbra
