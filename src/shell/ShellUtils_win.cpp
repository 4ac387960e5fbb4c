#include "shell/ShellUtils_win.h"

#include <windows.h>

#include <shellapi.h>

#include "base/Handles_win.h"
#include "base/Unicode.h"
#include "shell/PidlUtils_win.h"
#include "shell/ShFolderUtils_win.h"

namespace nimbra {

namespace {

// ShellExecute and WinExec give a number above 32 on success.
constexpr INT_PTR kFirstSuccess = 33;

bool ShellStart(const wchar_t* verb, const std::wstring& file, const std::wstring& parameters,
                int showCmd) {
    const HINSTANCE result =
        ShellExecuteW(nullptr, verb, file.c_str(),
                      parameters.empty() ? nullptr : parameters.c_str(), nullptr, showCmd);
    return reinterpret_cast<INT_PTR>(result) >= kFirstSuccess;
}

// Keeps the platform's critical-error boxes ("There is no disk in the
// drive") away while a program starts; the old mode comes back afterwards.
class TErrorModeGuard {
  public:
    TErrorModeGuard() : old_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    TErrorModeGuard(const TErrorModeGuard&) = delete;
    TErrorModeGuard& operator=(const TErrorModeGuard&) = delete;
    ~TErrorModeGuard() { SetErrorMode(old_); }

  private:
    UINT old_;
};

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM result) {
    if (IsWindowVisible(hwnd) && GetWindow(hwnd, GW_OWNER) == nullptr) {
        *reinterpret_cast<HWND*>(result) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The owner of a properties sheet: the active window when it is visible,
// otherwise the program's main window (its first visible top-level window
// without an owner), otherwise none.
HWND PropertiesOwner() {
    const HWND active = GetActiveWindow();
    if (active != nullptr && IsWindowVisible(active))
        return active;
    HWND main = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindMainWindow, reinterpret_cast<LPARAM>(&main));
    return main;
}

}  // namespace

std::string ExplorerParametersFor(PCItemIdList pidl, bool root, bool explore, bool select) {
    const std::string path = PidlToPathEx(pidl);
    if (path.empty())
        return {};
    return ExplorerParameters(path, root, explore, select);
}

bool ExplorePidl(PCItemIdList pidl, int showCmd, bool root, bool explore, bool select) {
    const std::string parameters = ExplorerParametersFor(pidl, root, explore, select);
    if (parameters.empty())
        return false;
    return ShellStart(L"open", L"explorer.exe", ToWide(parameters), showCmd);
}

bool ExplorePath(std::string_view path, int showCmd, bool root, bool explore, bool select) {
    TPidlPtr pidl;
    if (!ParsePath(path, pidl))
        return false;
    return ExplorePidl(pidl.Get(), showCmd, root, explore, select);
}

bool ExploreShellFolder(TShellFolder folder, int showCmd, bool root) {
    const TPidlPtr pidl = ShellFolderIdList(folder);
    if (!pidl)
        return false;
    return ExplorePidl(pidl.Get(), showCmd, root, true, false);
}

bool ShowInFolder(std::string_view path, int showCmd, const TFolderBrowser& browser) {
    if (browser.Path.empty())
        return ExplorePath(path, showCmd, false, true, true);
    return RunCommandLine(FolderBrowserCommand(browser, path, &ShortPathName), showCmd);
}

bool ShowInFolder(std::string_view path, int showCmd) {
    return ShowInFolder(path, showCmd, ConfiguredFolderBrowser());
}

bool ShowProperties(std::string_view path) {
    // The object-properties entry, exported by ordinal only on older systems.
    constexpr WORD kObjectPropertiesOrdinal = 178;
    constexpr DWORD kByFilePath = 2;
    using TObjectProperties = BOOL(WINAPI*)(HWND, DWORD, PCWSTR, PCWSTR);
    const HMODULE shell32 = GetModuleHandleW(L"shell32.dll");
    if (shell32 == nullptr)
        return false;
    const FARPROC entry = GetProcAddress(shell32, MAKEINTRESOURCEA(kObjectPropertiesOrdinal));
    if (entry == nullptr)
        return false;
    const auto objectProperties =
        reinterpret_cast<TObjectProperties>(reinterpret_cast<void (*)()>(entry));
    const std::wstring widePath = ToWide(path);
    return objectProperties(PropertiesOwner(), kByFilePath, widePath.c_str(), nullptr) != FALSE;
}

bool OpenWithShell(std::string_view path, int showCmd) {
    return ShellStart(nullptr, ToWide(path), {}, showCmd);
}

bool RunCommandLine(std::string_view commandLine, int showCmd) {
    std::wstring command = ToWide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCmd);
    PROCESS_INFORMATION process{};
    BOOL started;
    {
        const TErrorModeGuard quiet;
        started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &process);
    }
    // The program runs on by itself; its handles are not needed.
    const TKernelHandle thread(process.hThread);
    const TKernelHandle program(process.hProcess);
    return started != FALSE;
}

std::string ShortPathName(std::string_view path) {
    const std::wstring longPath = ToWide(path);
    std::wstring shortPath(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetShortPathNameW(longPath.c_str(), shortPath.data(),
                                               static_cast<DWORD>(shortPath.size()));
        if (length == 0)
            return {};
        if (length < shortPath.size()) {
            shortPath.resize(length);
            return ToUtf8(shortPath);
        }
        shortPath.resize(length);  // too small: length is the size needed
    }
}

}  // namespace nimbra
