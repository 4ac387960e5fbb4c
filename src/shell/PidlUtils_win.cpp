#include "shell/PidlUtils_win.h"

#include <cstring>
#include <memory>
#include <new>

#include "base/ComInit.h"
#include "base/OsError.h"
#include "base/Unicode.h"

namespace nimbra {

using Microsoft::WRL::ComPtr;

// The shell allocator is the COM task allocator; calling it directly needs
// no allocator object, which would have to be released while COM still runs.
PItemIdList PidlAlloc(std::size_t size) {
    void* memory = CoTaskMemAlloc(size == 0 ? 1 : size);
    if (memory == nullptr)
        throw std::bad_alloc();
    std::memset(memory, 0, size);
    return static_cast<PItemIdList>(memory);
}

void PidlFree(PItemIdList pidl) noexcept {
    CoTaskMemFree(pidl);
}

IShellFolder& DesktopFolder() {
    TComInitializer* scope = TComInitializer::Current();
    if (scope == nullptr)
        RaiseOSError("DesktopFolder", static_cast<unsigned long>(CO_E_NOTINITIALIZED));
    static const char key = 0;
    using TFolder = ComPtr<IShellFolder>;
    TFolder& desktop = scope->Keep<TFolder>(&key, [] {
        auto folder = std::make_shared<TFolder>();
        const HRESULT hr = SHGetDesktopFolder(folder->GetAddressOf());
        if (FAILED(hr))
            RaiseOSError("SHGetDesktopFolder", static_cast<unsigned long>(hr));
        return folder;
    });
    return *desktop.Get();
}

namespace {

HRESULT TryParse(std::string_view path, TPidlPtr& pidl, IShellFolder* folder) {
    pidl.Reset();
    std::wstring name = ToWide(path);
    IShellFolder& parser = folder != nullptr ? *folder : DesktopFolder();
    LPITEMIDLIST parsed = nullptr;
    ULONG eaten = 0;
    const HRESULT hr =
        parser.ParseDisplayName(nullptr, nullptr, name.data(), &eaten, &parsed, nullptr);
    if (SUCCEEDED(hr))
        pidl.Reset(FromShellPidl(parsed));
    return FAILED(hr) ? hr : (parsed == nullptr ? E_FAIL : S_OK);
}

}  // namespace

TPidlPtr ParsePath(std::string_view path, IShellFolder* folder) {
    TPidlPtr pidl;
    const HRESULT hr = TryParse(path, pidl, folder);
    if (FAILED(hr))
        RaiseOSError("IShellFolder::ParseDisplayName", static_cast<unsigned long>(hr));
    return pidl;
}

bool ParsePath(std::string_view path, TPidlPtr& pidl, IShellFolder* folder) {
    return SUCCEEDED(TryParse(path, pidl, folder));
}

ComPtr<IShellFolder> BindToFolder(PCItemIdList pidl, IShellFolder* parent) {
    IShellFolder& base = parent != nullptr ? *parent : DesktopFolder();
    ComPtr<IShellFolder> folder;
    if (PidlIsEmpty(pidl)) {
        folder = &base;
        return folder;
    }
    const HRESULT hr = base.BindToObject(ToShellPidl(pidl), nullptr, IID_PPV_ARGS(&folder));
    if (FAILED(hr))
        RaiseOSError("IShellFolder::BindToObject", static_cast<unsigned long>(hr));
    return folder;
}

std::string PidlToPath(PCItemIdList pidl) {
    if (pidl == nullptr)
        return {};
    wchar_t path[MAX_PATH + 1] = {};
    if (!SHGetPathFromIDListW(ToShellPidl(pidl), path))
        return {};
    // Some shells (Wine) answer with a "::{CLSID}" parsing name for a virtual
    // folder; that is no file-system path.
    if (path[0] == L':' && path[1] == L':')
        return {};
    return ToUtf8(path);
}

std::string PidlToPathEx(PCItemIdList pidl) {
    std::string path = PidlToPath(pidl);
    if (path.empty())
        path = PidlToVirtualPath(pidl);
    return path;
}

}  // namespace nimbra
