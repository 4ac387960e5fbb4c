#include <windows.h>

#include <string>

#include "base/ErrorDisplay.h"
#include "base/Unicode.h"

namespace nimbra {

void ShowErrorDefault(const char* text) noexcept {
    try {
        const std::wstring message = ToWide(text);
        MessageBoxW(GetActiveWindow(), message.c_str(), L"Nimbra", MB_ICONERROR | MB_OK);
    } catch (...) {
        // Out of memory while converting: nothing more can be shown.
    }
}

}  // namespace nimbra
