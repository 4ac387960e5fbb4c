#pragma once

// Drives the real nimbra.exe from outside, as a user would: starts it, finds
// its windows by their published component names, types with the keyboard
// and reads the result list through list-view messages.
#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace nimbra::e2e {

// One row of the result list as another process reads it.
struct TRow {
    std::string Title;
    std::string Path;
    bool Bold = false;
};

// A top-level window of a process by its component name, or nullptr.
HWND FindTopWindow(DWORD processId, const std::string& name);

class TNimbraProcess {
  public:
    // Starts nimbra.exe (beside this program) and waits until its main
    // window shows (or, for a start into the notification area, exists);
    // raises on failure.
    explicit TNimbraProcess(const std::wstring& arguments = L"", bool shown = true);
    // Closes the program (Alt+X) and waits for it; kills it if it hangs.
    ~TNimbraProcess();
    TNimbraProcess(const TNimbraProcess&) = delete;
    TNimbraProcess& operator=(const TNimbraProcess&) = delete;

    HWND MainWindow() const { return main_; }
    // The window of the control with the component path, e.g.
    // "NimbraApp.NimbraFrame1.Edit1"; nullptr when there is none.
    HWND Control(const std::string& path) const;
    // A window of the program anywhere (a dialog, or a control in one), by
    // its component path, waiting up to `ms` for it to be shown; nullptr
    // when it does not come.
    HWND WaitForWindow(const std::string& path, int ms = 5000);
    // One column (the first by default) of every row of a report list of
    // the program.
    std::vector<std::string> ListTexts(HWND list, int column = 0) const;
    DWORD ProcessId() const { return info_.dwProcessId; }
    HANDLE Process() const { return info_.hProcess; }

    // Brings the main window to the front with the focus in the input box.
    void Activate();
    // Types text into whatever has the focus (Unicode key events).
    void Type(const std::wstring& text);
    // Presses a key, with Shift, Ctrl or Alt held when asked.
    void Press(WORD key, bool shift = false, bool ctrl = false, bool alt = false);
    // Sends text and then a key (none for 0) in one burst (one SendInput
    // call), without waiting.
    void Burst(const std::wstring& text, WORD finalKey = 0);
    // Waits until the program has handled everything sent so far.
    void Settle();
    // Waits until `done` holds or `ms` passed; gives done().
    bool WaitFor(const std::function<bool()>& done, int ms = 5000);

    int RowCount() const;
    int SelectedRow() const;
    TRow Row(int index) const;
    std::vector<TRow> Rows() const;
    std::string EditText() const;
    // The selected characters of the input box: first and one past the last.
    std::pair<int, int> EditSelection() const;
    bool MainVisible() const { return IsWindowVisible(main_) != FALSE; }
    bool ListEnabled() const;
    bool Visible(const std::string& path) const;

    // Chooses a command of the main menu by the captions on its way
    // ("&View", "&Include folders", "&Test"), pressing their "&" keys.
    bool MenuCommand(const std::vector<std::string>& path);

    // Closes the program and waits for its end; true when it ended by itself.
    bool Close();

    // A picture of the main window (or of `window`) as PNG.
    void Screenshot(const std::filesystem::path& file, HWND window = nullptr) const;
    // A top-level window of the program by its component name
    // ("HelpViewForm"), or nullptr.
    HWND TopWindow(const std::string& name) const;

  private:
    std::wstring ItemText(HWND list, int row, int column) const;
    static void CopyScreen(const RECT& rc, const std::filesystem::path& file);

    PROCESS_INFORMATION info_{};
    HWND main_ = nullptr;
    HWND list_ = nullptr;
    HWND edit_ = nullptr;
    bool closed_ = false;
};

// The folder holding this test program (and nimbra.exe).
std::filesystem::path ProgramFolder();

// Replaces the program's stored settings with an include-folders list of
// one folder titled `title`, and the given extra values.
void ResetSettings(const std::filesystem::path& folder, const std::string& title = "&Test");

// Presses `key` with `modifier` held (Win+;, Alt+X), to whatever window is
// in front, without waiting.
void SendChord(WORD modifier, WORD key);

// A window inside `parent` by its component path, or nullptr.
HWND FindChildWindow(HWND parent, DWORD processId, const std::string& path);
// The text of a window of another process.
std::string WindowText(HWND window);

// Runs nimbra.exe with the arguments to its end; gives its exit code, or
// STILL_ACTIVE when it did not end within `ms` (it is then ended).
DWORD RunNimbraToEnd(const std::wstring& arguments, int ms = 30000);
// nimbra.exe as a test starts it: beside the tests, or the one the
// environment variable NIMBRA_E2E_EXE names.
std::filesystem::path NimbraExe();

// Makes programs started meanwhile run at `dpi` dots per inch (the user's
// "LogPixels"); raises when the setting cannot be written.
class TScopedDpi {
  public:
    explicit TScopedDpi(DWORD dpi);
    ~TScopedDpi();
    TScopedDpi(const TScopedDpi&) = delete;
    TScopedDpi& operator=(const TScopedDpi&) = delete;

  private:
    HKEY key_ = nullptr;
};

// Where screenshots go: build/e2e-screenshots beside the test tree.
std::filesystem::path ScreenshotFolder();

}  // namespace nimbra::e2e
