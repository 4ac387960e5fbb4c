// The folder browser's picker (Windows only).
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "base/ErrorDisplay.h"
#include "base/Handles_win.h"
#include "base/OsError.h"
#include "base/Unicode.h"
#include "controls/Controls_win.h"
#include "controls/Dialogs_win.h"
#include "controls/Forms_win.h"
#include "controls/InputQuery_win.h"
#include "folders/ShDirectoryDialog.h"
#include "utils/MiscUtils.h"
#include "utils/NewLangUtilsTexts.h"

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

constexpr int kNewButtonId = 0x4E57;
constexpr UINT_PTR kPickerSubclass = 1;

struct TPickerState {
    const TSHDirectoryDialog* Dialog;
    std::wstring Start;
    std::wstring Caption;
    bool NewButton = false;
    // The file-system path of the selection (empty for one without).
    std::string Selected;
    // A folder just made: the picker opens again there.
    std::string Created;
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

// "&New...": a folder made inside the selected one; the picker then opens
// again there. Failures are told and the picker stays.
void CreateNewFolder(HWND window, TPickerState& state) {
    if (state.Selected.empty()) {
        MessageDlg(GetLocalizedString(CodeText("DirectoryDialog", "CannotCreateHere")), mtError,
                   mbOK);
        return;
    }
    std::string name = GetLocalizedString(CodeText("DirectoryDialog", "NewFolderName"));
    EnableWindow(window, FALSE);
    const bool named =
        InputQuery(GetLocalizedString(CodeText("DirectoryDialog", "NewFolderCaption")),
                   GetLocalizedString(CodeText("DirectoryDialog", "NewFolderPrompt")), name);
    EnableWindow(window, TRUE);
    SetForegroundWindow(window);
    if (!named)
        return;
    const std::string path = JoinPath(state.Selected, name);
    if (!CreateDirectoryW(ToWide(path).c_str(), nullptr)) {
        const DWORD error = GetLastError();
        MessageDlg(GetLocalizedString(CodeText("DirectoryDialog", "CreateFailed")) + "\n(" +
                       SysErrorMessage(error) + ")",
                   mtError, mbOK);
        return;
    }
    state.Created = path;
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
}

LRESULT CALLBACK PickerSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR data) {
    if (message == WM_COMMAND && LOWORD(wParam) == kNewButtonId && HIWORD(wParam) == BN_CLICKED) {
        try {
            CreateNewFolder(window, *reinterpret_cast<TPickerState*>(data));
        } catch (...) {
            HandleException(std::current_exception());
        }
        return 0;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(window, &PickerSubclass, kPickerSubclass);
    return DefSubclassProc(window, message, wParam, lParam);
}

// The program's own "&New..." button, in the row of Cancel, as far from the
// left edge as Cancel is from the right one, with Cancel's size and font.
void AddNewButton(HWND window, TPickerState& state) {
    const HWND cancel = GetDlgItem(window, IDCANCEL);
    if (cancel == nullptr)
        return;
    RECT rc{};
    GetWindowRect(cancel, &rc);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rc), 2);
    RECT client{};
    GetClientRect(window, &client);
    const std::wstring caption =
        ToWide(GetLocalizedString(CodeText("DirectoryDialog", "NewButton")));
    const HWND button = CreateWindowExW(
        0, WC_BUTTONW, caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
        client.right - rc.right, rc.top, rc.right - rc.left, rc.bottom - rc.top, window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kNewButtonId)), GetModuleHandleW(nullptr),
        nullptr);
    SendMessageW(button, WM_SETFONT, SendMessageW(cancel, WM_GETFONT, 0, 0), FALSE);
    SetWindowSubclass(window, &PickerSubclass, kPickerSubclass,
                      reinterpret_cast<DWORD_PTR>(&state));
}

void PickerEvent(HWND window, UINT message, LPARAM lParam, TPickerState& state) {
    switch (message) {
        case BFFM_INITIALIZED:
            CenterOnScreen(window);
            if (!state.Caption.empty())
                SetWindowTextW(window, state.Caption.c_str());
            if (state.NewButton)
                AddNewButton(window, state);
            if (!state.Start.empty())
                SendMessageW(window, BFFM_SETSELECTIONW, TRUE,
                             reinterpret_cast<LPARAM>(state.Start.c_str()));
            break;
        case BFFM_SELCHANGED: {
            state.Selected = PidlPath(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam));
            const std::wstring wide = ToWide(state.Selected);
            SendMessageW(window, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(wide.c_str()));
            SendMessageW(window, BFFM_ENABLEOK, 0, state.Dialog->CanAccept(state.Selected) ? 1 : 0);
            if (const HWND button = GetDlgItem(window, kNewButtonId))
                EnableWindow(button, !state.Selected.empty());
            break;
        }
        default:
            break;
    }
}

// The picker calls back from inside the system: nothing may unwind into it.
int CALLBACK PickerCallback(HWND window, UINT message, LPARAM lParam, LPARAM data) {
    try {
        PickerEvent(window, message, lParam, *reinterpret_cast<TPickerState*>(data));
    } catch (...) {
        HandleException(std::current_exception());
    }
    return 0;
}

}  // namespace

bool TSHDirectoryDialog::Execute() {
    const TShellVersion shell = ShellVersion();
    TPickerState state{this, {}, ToWide(Caption())};
    state.NewButton = WantsNewButton(shell);
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
    for (;;) {
        state.Created.clear();
        const TCoTaskMem<ITEMIDLIST> picked(SHBrowseForFolderW(&info));
        if (picked.Get() == nullptr && !state.Created.empty()) {
            state.Start = ToWide(state.Created);  // a new folder: open again there
            continue;
        }
        return AcceptPick(picked.Get() != nullptr, PidlPath(picked.Get()));
    }
}

}  // namespace nimbra
