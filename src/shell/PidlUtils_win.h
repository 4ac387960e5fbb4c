#pragma once

// The shell-bound half of the ID list operations (Windows only).
#include <windows.h>

#include <shlobj.h>
#include <wrl/client.h>

#include <string>
#include <string_view>

#include "shell/PidlUtils.h"

namespace nimbra {

// Our ID list type and the shell's are the same bytes.
inline LPITEMIDLIST ToShellPidl(PItemIdList pidl) {
    return reinterpret_cast<LPITEMIDLIST>(pidl);
}
inline LPCITEMIDLIST ToShellPidl(PCItemIdList pidl) {
    return reinterpret_cast<LPCITEMIDLIST>(pidl);
}
inline PItemIdList FromShellPidl(LPITEMIDLIST pidl) {
    return reinterpret_cast<PItemIdList>(pidl);
}
inline PCItemIdList FromShellPidl(LPCITEMIDLIST pidl) {
    return reinterpret_cast<PCItemIdList>(pidl);
}

// The shell's desktop folder, obtained once per thread and held by the
// thread's COM scope (TComInitializer) until that ends. Raises the COM error
// when the shell gives none or the thread has no COM scope.
IShellFolder& DesktopFolder();

// Turns a display name or path into a new ID list through `folder`'s parse
// call (the desktop when nullptr), with no window and no bind context.
// Raises the COM error on failure.
TPidlPtr ParsePath(std::string_view path, IShellFolder* folder = nullptr);
// The same; false and an empty `pidl` on failure.
bool ParsePath(std::string_view path, TPidlPtr& pidl, IShellFolder* folder = nullptr);

// The folder interface of `pidl` below `parent` (the desktop when nullptr);
// an empty list gives the parent itself. Raises the COM error on failure.
Microsoft::WRL::ComPtr<IShellFolder> BindToFolder(PCItemIdList pidl,
                                                  IShellFolder* parent = nullptr);

// The file-system path of a list, or "".
std::string PidlToPath(PCItemIdList pidl);
// PidlToPath; when that is empty, the virtual-folder form (PidlToVirtualPath).
std::string PidlToPathEx(PCItemIdList pidl);

}  // namespace nimbra
