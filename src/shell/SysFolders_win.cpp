#include <windows.h>

#include <shlobj.h>

#include "base/Unicode.h"
#include "shell/SysFolders.h"

namespace nimbra {

// Windows 10 and later always have SHGetFolderPathW in shell32, so it is
// called directly; the older fallbacks through SHFolder.dll and shell32's
// unnamed entries have no system left to serve.
std::string PlatformShellFolderPath(TShellFolder folder, bool create) {
    wchar_t buffer[MAX_PATH + 1] = {};
    // Flags 0: the folder's current path, not its default one.
    const HRESULT hr =
        SHGetFolderPathW(nullptr, GetShellFolderCSIDL(folder, create), nullptr, 0, buffer);
    if (hr != S_OK)
        return {};
    return ToUtf8(buffer);
}

}  // namespace nimbra
