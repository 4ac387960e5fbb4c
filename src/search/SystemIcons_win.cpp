#include <windows.h>

#include <shellapi.h>

#include "base/Unicode.h"
#include "search/SystemIcons.h"

namespace nimbra {

int SystemDefaultImageIndex() {
    SHFILEINFOW info{};
    if (SHGetFileInfoW(L".", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES) ==
        0)
        return -1;
    return info.iIcon;
}

int SystemFileImageIndex(const std::string& path) {
    SHFILEINFOW info{};
    if (SHGetFileInfoW(ToWide(path).c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX) == 0)
        return -1;
    return info.iIcon;
}

}  // namespace nimbra
