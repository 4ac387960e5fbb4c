#include <windows.h>

#include <string>

#include "base/Unicode.h"
#include "utils/NewLangUtils.h"

namespace nimbra {

std::string ProgramFileName() {
    // Long paths need more than MAX_PATH; grow until the name fits.
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return ToUtf8(path);
        }
        if (path.size() >= 32768)
            return {};
        path.resize(path.size() * 2);
    }
}

}  // namespace nimbra
