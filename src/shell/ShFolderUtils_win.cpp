#include "shell/ShFolderUtils_win.h"

#include <windows.h>

#include <shlobj.h>

#include "base/OsError.h"
#include "shell/PidlUtils_win.h"

namespace nimbra {

namespace {

HRESULT SpecialFolderLocation(int csidl, TPidlPtr& pidl) {
    LPITEMIDLIST location = nullptr;
    const HRESULT hr = SHGetSpecialFolderLocation(nullptr, csidl, &location);
    pidl.Reset(SUCCEEDED(hr) ? FromShellPidl(location) : nullptr);
    return SUCCEEDED(hr) && location == nullptr ? E_FAIL : hr;
}

}  // namespace

TPidlPtr GetShellFolderPidl(TShellFolder folder, bool create) {
    TPidlPtr pidl;
    SpecialFolderLocation(GetShellFolderCSIDL(folder, create), pidl);
    return pidl;
}

TPidlPtr ShellFolderIdList(TShellFolder folder) {
    TPidlPtr pidl = GetShellFolderPidl(folder);
    if (pidl)
        return pidl;
    const std::string path = GetShellFolderPath(folder);
    if (!path.empty())
        ParsePath(path, pidl);
    return pidl;
}

std::string GetSpecialFolderPath(int csidl) {
    TPidlPtr pidl;
    const HRESULT hr = SpecialFolderLocation(csidl, pidl);
    if (FAILED(hr))
        RaiseOSError("SHGetSpecialFolderLocation", static_cast<unsigned long>(hr));
    return PidlToPath(pidl.Get());
}

}  // namespace nimbra
