// The folder browser's picker (Windows only).
#include <windows.h>

#include <shlobj.h>
#include <shlwapi.h>

#include "base/Handles_win.h"
#include "base/Unicode.h"
#include "controls/Controls_win.h"
#include "controls/Forms_win.h"
#include "folders/ShDirectoryDialog.h"

namespace nimbra {

namespace {

TShellVersion ShellVersion() {
    HMODULE shell = GetModuleHandleW(L"shell32.dll");
    const auto getVersion =
        shell != nullptr ? reinterpret_cast<DLLGETVERSIONPROC>(
                               reinterpret_cast<void*>(GetProcAddress(shell, "DllGetVersion")))
                         : nullptr;
    DLLVERSIONINFO info{};
    info.cbSize = sizeof(info);
    if (getVersion == nullptr || FAILED(getVersion(&info)))
        return 400;
    return static_cast<TShellVersion>(info.dwMajorVersion * 100 + info.dwMinorVersion);
}

TDriveKind DriveKind(const std::string& directory) {
    const std::wstring wide = ToWide(directory);
    wchar_t root[MAX_PATH]{};
    lstrcpynW(root, wide.c_str(), MAX_PATH);
    if (!PathStripToRootW(root))
        return dkNoRoot;
    switch (GetDriveTypeW(root)) {
        case DRIVE_REMOVABLE:
            return dkRemovable;
        case DRIVE_FIXED:
            return dkFixed;
        case DRIVE_REMOTE:
            return dkRemote;
        case DRIVE_CDROM:
            return dkCdRom;
        case DRIVE_RAMDISK:
            return dkRamDisk;
        case DRIVE_NO_ROOT_DIR:
            return dkNoRoot;
        default:
            return dkUnknown;
    }
}

// An empty drive must not bring up the system's "insert a disk" box.
bool FolderExistsQuietly(const std::string& directory) {
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
    const DWORD attributes = GetFileAttributesW(ToWide(directory).c_str());
    SetErrorMode(previous);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string PidlPath(PCIDLIST_ABSOLUTE pidl) {
    wchar_t path[MAX_PATH]{};
    return pidl != nullptr && SHGetPathFromIDListW(pidl, path) ? ToUtf8(path) : std::string();
}

struct TPickerState {
    const TSHDirectoryDialog* Dialog;
    std::wstring Start;
    std::wstring Caption;
};

void CenterOnScreen(HWND window) {
    RECT rc{};
    GetWindowRect(window, &rc);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    SetWindowPos(window, nullptr, work.left + (work.right - work.left - (rc.right - rc.left)) / 2,
                 work.top + (work.bottom - work.top - (rc.bottom - rc.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CALLBACK PickerCallback(HWND window, UINT message, LPARAM lParam, LPARAM data) {
    const auto& state = *reinterpret_cast<const TPickerState*>(data);
    switch (message) {
        case BFFM_INITIALIZED:
            CenterOnScreen(window);
            if (!state.Caption.empty())
                SetWindowTextW(window, state.Caption.c_str());
            if (!state.Start.empty())
                SendMessageW(window, BFFM_SETSELECTIONW, TRUE,
                             reinterpret_cast<LPARAM>(state.Start.c_str()));
            break;
        case BFFM_SELCHANGED: {
            const std::string path = PidlPath(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam));
            const std::wstring wide = ToWide(path);
            SendMessageW(window, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(wide.c_str()));
            SendMessageW(window, BFFM_ENABLEOK, 0, state.Dialog->CanAccept(path) ? 1 : 0);
            break;
        }
        default:
            break;
    }
    return 0;
}

}  // namespace

bool TSHDirectoryDialog::Execute() {
    const TShellVersion shell = ShellVersion();
    TPickerState state{this, {}, ToWide(Caption())};
    if (IsUsableStartFolder(Directory(), DriveKind(Directory()), FolderExistsQuietly(Directory())))
        state.Start = ToWide(Directory());
    const std::wstring title = ToWide(Title());
    BROWSEINFOW info{};
    const TCustomForm* owner = Application != nullptr ? Application->ActiveForm() : nullptr;
    const TWinPeer* ownerPeer = owner != nullptr ? PeerOf(*owner) : nullptr;
    info.hwndOwner = ownerPeer != nullptr ? ownerPeer->Handle() : nullptr;
    info.lpszTitle = title.c_str();
    info.ulFlags = Flags(shell);
    info.lpfn = &PickerCallback;
    info.lParam = reinterpret_cast<LPARAM>(&state);
    const TCoTaskMem<ITEMIDLIST> picked(SHBrowseForFolderW(&info));
    return AcceptPick(picked.Get() != nullptr, PidlPath(picked.Get()));
}

}  // namespace nimbra
