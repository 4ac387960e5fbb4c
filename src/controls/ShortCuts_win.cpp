#include <windows.h>

#include "base/Unicode.h"
#include "controls/ShortCuts.h"

namespace nimbra {

std::string KeyboardLayoutKeyName(unsigned key) {
    const UINT scanCode = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    if (scanCode == 0)
        return {};
    // The scan code in bits 16-23 and nothing else: no extended-key bit and
    // no "don't care" bit, so the layout names the key itself.
    wchar_t name[64];
    const int length = GetKeyNameTextW(static_cast<LONG>(scanCode << 16), name, 64);
    return length > 0 ? ToUtf8(std::wstring_view(name, static_cast<std::size_t>(length)))
                      : std::string();
}

}  // namespace nimbra
