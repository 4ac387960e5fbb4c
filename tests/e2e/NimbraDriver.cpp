#include "e2e/NimbraDriver.h"

#include <commctrl.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "base/Unicode.h"
#include "folders/NimbraCustomFolders.h"
#include "folders/NimbraFoldersCfg.h"
#include "utils/ConfigUtils.h"
#include "utils/MiscUtils.h"
#include "utils/NimbraCfg.h"

namespace nimbra::e2e {

namespace {

constexpr wchar_t kNameProperty[] = L"Nimbra.Name";
constexpr char kListPath[] = "NimbraApp.NimbraFrame1.ListView1";
constexpr char kEditPath[] = "NimbraApp.NimbraFrame1.Edit1";

std::string ComponentPathOf(HWND hwnd) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(hwnd, kNameProperty)));
    if (atom == 0)
        return {};
    wchar_t name[256] = {};
    const UINT length = GlobalGetAtomNameW(atom, name, 256);
    return ToUtf8(std::wstring_view(name, length));
}

struct TFind {
    DWORD ProcessId;
    std::string Path;
    HWND Found = nullptr;
};

BOOL CALLBACK FindByPath(HWND hwnd, LPARAM data) {
    auto& find = *reinterpret_cast<TFind*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == find.ProcessId && ComponentPathOf(hwnd) == find.Path) {
        find.Found = hwnd;
        return FALSE;
    }
    return TRUE;
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void AppendText(std::vector<INPUT>& inputs, const std::wstring& text) {
    for (wchar_t c : text) {
        for (bool up : {false, true}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = c;
            input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            inputs.push_back(input);
        }
    }
}

void Send(std::vector<INPUT>& inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

std::filesystem::path ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path();
}

std::filesystem::path ScreenshotFolder() {
    // build/windows/tests -> build/e2e-screenshots
    const std::filesystem::path folder =
        ProgramFolder().parent_path().parent_path() / "e2e-screenshots";
    std::filesystem::create_directories(folder);
    return folder;
}

void ResetSettings(const std::filesystem::path& folder, const std::string& title) {
    // The store's open key would point at the deleted one.
    AppIni().Close();
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quillmoor Software\\Nimbra");
    InitAppIni();
    TNimbraCfg configuration;
    TCustomFolders& folders = *configuration.FoldersCfg()->Folders();
    folders.Clear();
    TCustomFolder* entry = folders.Add();
    entry->SetTitle(title);
    entry->Paths()->AddDisk(ToUtf8(folder.wstring()));
    configuration.Save();
    // A new user gets the intro help and the tip of the day at the first
    // showing; the tests look at the windows without them.
    AppIni().WriteBool("Options", "ShowTipsOfTheDay", false);
    AppIni().WriteBool("Config", "IntroShown", true);
    AppIni().Close();
}

void SendChord(WORD modifier, WORD key) {
    std::vector<INPUT> inputs{KeyInput(modifier, false), KeyInput(key, false), KeyInput(key, true),
                              KeyInput(modifier, true)};
    Send(inputs);
}

HWND FindTopWindow(DWORD processId, const std::string& name) {
    TFind find{processId, name};
    EnumWindows(&FindByPath, reinterpret_cast<LPARAM>(&find));
    return find.Found;
}

HWND TNimbraProcess::TopWindow(const std::string& name) const {
    return FindTopWindow(ProcessId(), name);
}

HWND FindChildWindow(HWND parent, DWORD processId, const std::string& path) {
    TFind find{processId, path};
    EnumChildWindows(parent, &FindByPath, reinterpret_cast<LPARAM>(&find));
    return find.Found;
}

std::string WindowText(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
    const auto copied =
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    return ToUtf8(text);
}

std::filesystem::path NimbraExe() {
    // Another build of the program, for comparing figures by hand.
    if (const wchar_t* other = _wgetenv(L"NIMBRA_E2E_EXE"); other != nullptr && *other != 0)
        return other;
    std::filesystem::path exe = ProgramFolder() / "nimbra.exe";
    if (!std::filesystem::exists(exe))
        exe = ProgramFolder().parent_path() / "nimbra.exe";
    return exe;
}

DWORD RunNimbraToEnd(const std::wstring& arguments, int ms) {
    const std::filesystem::path exe = NimbraExe();
    std::wstring commandLine = L"\"" + exe.wstring() + L"\" " + arguments;
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info))
        throw std::runtime_error("nimbra.exe could not be started");
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(info.hProcess, static_cast<DWORD>(ms)) == WAIT_OBJECT_0)
        GetExitCodeProcess(info.hProcess, &code);
    else
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return code;
}

TScopedDpi::TScopedDpi(DWORD dpi) {
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key_, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("the resolution setting cannot be written");
    RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                   sizeof dpi);
}

TScopedDpi::~TScopedDpi() {
    RegDeleteValueW(key_, L"LogPixels");
    RegCloseKey(key_);
}

// ---- the process ----------------------------------------------------------------------

TNimbraProcess::TNimbraProcess(const std::wstring& arguments, bool shown) {
    const std::filesystem::path exe = NimbraExe();
    std::wstring commandLine = L"\"" + exe.wstring() + L"\" " + arguments;
    STARTUPINFOW startup{sizeof startup};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_))
        throw std::runtime_error("nimbra.exe could not be started");
    WaitForInputIdle(info_.hProcess, 30000);
    const bool found = WaitFor(
        [this, shown] {
            TFind find{info_.dwProcessId, "NimbraApp"};
            EnumWindows(&FindByPath, reinterpret_cast<LPARAM>(&find));
            main_ = find.Found;
            // The window is made before the controls inside it.
            return main_ != nullptr && (!shown || IsWindowVisible(main_)) &&
                   Control(kListPath) != nullptr && Control(kEditPath) != nullptr;
        },
        30000);
    if (!found)
        throw std::runtime_error("nimbra.exe showed no main window");
    list_ = Control(kListPath);
    edit_ = Control(kEditPath);
    if (list_ == nullptr || edit_ == nullptr)
        throw std::runtime_error("the search frame's controls were not found by name");
}

TNimbraProcess::~TNimbraProcess() {
    if (!closed_ && !Close())
        TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

HWND TNimbraProcess::Control(const std::string& path) const {
    return FindChildWindow(main_, info_.dwProcessId, path);
}

HWND TNimbraProcess::WaitForWindow(const std::string& path, int ms) {
    HWND found = nullptr;
    WaitFor(
        [&] {
            TFind find{info_.dwProcessId, path};
            EnumWindows(&FindByPath, reinterpret_cast<LPARAM>(&find));
            for (HWND top = GetTopWindow(nullptr); find.Found == nullptr && top != nullptr;
                 top = GetWindow(top, GW_HWNDNEXT)) {
                DWORD process = 0;
                GetWindowThreadProcessId(top, &process);
                if (process == info_.dwProcessId)
                    EnumChildWindows(top, &FindByPath, reinterpret_cast<LPARAM>(&find));
            }
            found = find.Found;
            return found != nullptr && IsWindowVisible(found);
        },
        ms);
    return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

std::vector<std::string> TNimbraProcess::ListTexts(HWND list, int column) const {
    std::vector<std::string> texts;
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        texts.push_back(ToUtf8(ItemText(list, i, column)));
    return texts;
}

bool TNimbraProcess::WaitFor(const std::function<bool()>& done, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return done();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

void TNimbraProcess::Activate() {
    SetForegroundWindow(main_);
    WaitFor([this] { return GetForegroundWindow() == main_; }, 3000);
    Settle();
}

void TNimbraProcess::Settle() {
    // Input reaches the program through its queue: give it time, then make
    // sure its thread is idle again.
    for (int i = 0; i < 3; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        DWORD_PTR result = 0;
        SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &result);
    }
}

void TNimbraProcess::Type(const std::wstring& text) {
    GUITHREADINFO thread{sizeof thread};
    GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &thread);
    const bool printable =
        std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L' '; });
    std::vector<INPUT> inputs;
    AppendText(inputs, text);
    Send(inputs);
    // Keys pass the system's hooks before they reach the program: wait
    // until the text stands in the box when that is where it goes.
    if (thread.hwndFocus == edit_ && printable && !text.empty()) {
        const std::string typed = ToUtf8(text);
        WaitFor([&] { return EditText().ends_with(typed); }, 3000);
    }
    Settle();
}

void TNimbraProcess::Press(WORD key, bool shift, bool ctrl, bool alt) {
    std::vector<INPUT> inputs;
    if (shift)
        inputs.push_back(KeyInput(VK_SHIFT, false));
    if (ctrl)
        inputs.push_back(KeyInput(VK_CONTROL, false));
    if (alt)
        inputs.push_back(KeyInput(VK_MENU, false));
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    if (alt)
        inputs.push_back(KeyInput(VK_MENU, true));
    if (ctrl)
        inputs.push_back(KeyInput(VK_CONTROL, true));
    if (shift)
        inputs.push_back(KeyInput(VK_SHIFT, true));
    Send(inputs);
    Settle();
}

void TNimbraProcess::Burst(const std::wstring& text, WORD finalKey) {
    std::vector<INPUT> inputs;
    AppendText(inputs, text);
    if (finalKey != 0) {
        inputs.push_back(KeyInput(finalKey, false));
        inputs.push_back(KeyInput(finalKey, true));
    }
    Send(inputs);
}

int TNimbraProcess::RowCount() const {
    return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
}

int TNimbraProcess::SelectedRow() const {
    return static_cast<int>(
        SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::wstring TNimbraProcess::ItemText(HWND list, int row, int column) const {
    // The list's text comes back into the program's own memory: the item
    // and its buffer are placed there.
    constexpr std::size_t kChars = 512;
    const std::size_t size = sizeof(LVITEMW) + kChars * sizeof(wchar_t);
    void* remote = VirtualAllocEx(info_.hProcess, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    if (remote == nullptr)
        return {};
    LVITEMW item{};
    item.iSubItem = column;
    item.cchTextMax = kChars;
    item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote) + sizeof(LVITEMW));
    WriteProcessMemory(info_.hProcess, remote, &item, sizeof item, nullptr);
    const auto length = static_cast<std::size_t>(SendMessageW(
        list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote)));
    std::wstring text(std::min(length, kChars - 1), L'\0');
    ReadProcessMemory(info_.hProcess, item.pszText, text.data(), text.size() * sizeof(wchar_t),
                      nullptr);
    VirtualFreeEx(info_.hProcess, remote, 0, MEM_RELEASE);
    return text;
}

TRow TNimbraProcess::Row(int index) const {
    static const UINT rowState = RegisterWindowMessageW(L"Nimbra.RowState");
    return {ToUtf8(ItemText(list_, index, 0)), ToUtf8(ItemText(list_, index, 1)),
            SendMessageW(list_, rowState, static_cast<WPARAM>(index), 0) == 1};
}

std::vector<TRow> TNimbraProcess::Rows() const {
    std::vector<TRow> rows;
    const int count = RowCount();
    for (int i = 0; i < count; ++i)
        rows.push_back(Row(i));
    return rows;
}

std::string TNimbraProcess::EditText() const {
    wchar_t text[1024] = {};
    SendMessageW(edit_, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return ToUtf8(text);
}

std::pair<int, int> TNimbraProcess::EditSelection() const {
    // Pointers would name this process's memory: the packed answer serves
    // any request shorter than 65536 characters.
    const auto both = static_cast<DWORD>(SendMessageW(edit_, EM_GETSEL, 0, 0));
    return {LOWORD(both), HIWORD(both)};
}

bool TNimbraProcess::ListEnabled() const {
    return IsWindowEnabled(list_) != FALSE;
}

bool TNimbraProcess::Visible(const std::string& path) const {
    const HWND hwnd = Control(path);
    return hwnd != nullptr && IsWindowVisible(hwnd) != FALSE;
}

// Menus belong to the program's process (Wine does not share them), so the
// driver goes through them as a user does: Alt and each item's "&" key.
bool TNimbraProcess::MenuCommand(const std::vector<std::string>& path) {
    std::vector<WORD> keys;
    for (const std::string& caption : path) {
        const std::size_t mark = caption.find('&');
        if (mark == std::string::npos || mark + 1 >= caption.size())
            return false;
        keys.push_back(
            static_cast<WORD>(std::toupper(static_cast<unsigned char>(caption[mark + 1]))));
    }
    std::vector<INPUT> inputs{KeyInput(VK_MENU, false), KeyInput(keys[0], false),
                              KeyInput(keys[0], true), KeyInput(VK_MENU, true)};
    for (std::size_t i = 1; i < keys.size(); ++i) {
        inputs.push_back(KeyInput(keys[i], false));
        inputs.push_back(KeyInput(keys[i], true));
    }
    Send(inputs);
    Settle();
    // The menu closed when the command ran.
    GUITHREADINFO gui{sizeof gui};
    return WaitFor(
        [&] {
            return GetGUIThreadInfo(info_.dwThreadId, &gui) && (gui.flags & GUI_INMENUMODE) == 0;
        },
        3000);
}

bool TNimbraProcess::Close() {
    if (closed_)
        return true;
    closed_ = true;
    PostMessageW(main_, WM_CLOSE, 0, 0);
    return WaitForSingleObject(info_.hProcess, 15000) == WAIT_OBJECT_0;
}

// In Wine's virtual desktop a process cannot read what another one drew, so
// the picture is asked for from outside: scripts/test watches for a request
// file and takes the picture from the X display. Without that watcher (on
// Windows, or a display of Wine's own windows) the screen is copied here.
void TNimbraProcess::Screenshot(const std::filesystem::path& file, HWND window) const {
    RECT rc{};
    GetWindowRect(window != nullptr ? window : main_, &rc);
    std::filesystem::remove(file);
    const std::filesystem::path request = file.string() + ".request";
    std::ofstream(request) << rc.left << " " << rc.top << " " << rc.right - rc.left << " "
                           << rc.bottom - rc.top << "\n";
    const auto answered = [&] { return !std::filesystem::exists(request); };
    if (const_cast<TNimbraProcess*>(this)->WaitFor(answered, 3000))
        return;
    std::filesystem::remove(request);
    CopyScreen(rc, file);
}

void TNimbraProcess::CopyScreen(const RECT& rc, const std::filesystem::path& file) {
    using Microsoft::WRL::ComPtr;
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
    SelectObject(memory, old);
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&factory))) &&
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromFilename(file.c_str(), GENERIC_WRITE)) &&
        SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
        SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) &&
        SUCCEEDED(frame->Initialize(nullptr)) &&
        SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
        SUCCEEDED(frame->SetPixelFormat(&format))) {
        frame->WritePixels(static_cast<UINT>(height), static_cast<UINT>(width) * 4,
                           static_cast<UINT>(width * height * 4), static_cast<BYTE*>(bits));
        frame->Commit();
        encoder->Commit();
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

}  // namespace nimbra::e2e
