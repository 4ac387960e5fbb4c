// The folder browser's own "&New..." button (the picker's old style) under
// Wine: a user, played by a timer, makes a folder and picks it.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/Unicode.h"
#include "controls/Forms_win.h"
#include "folders/ShDirectoryDialog.h"
#include "support/TestFolders.h"

namespace nimbra {
namespace {

constexpr int kNewButtonId = 0x4E57;

// Steps a user takes, one per timer tick once the step's window is there.
class TScript {
  public:
    // A step answers true when it found what it acts on and acted.
    using TStep = std::function<bool()>;

    explicit TScript(std::vector<TStep> steps) : steps_(std::move(steps)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 100, &Tick);
    }
    ~TScript() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    std::size_t Done() const { return next_; }

  private:
    // A step that finds nothing for ten seconds ends the script: every
    // dialog it left open is cancelled, so that the test fails, not hangs.
    static constexpr int kPatience = 100;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TScript* script = current_;
        if (script == nullptr || script->next_ >= script->steps_.size() || script->running_)
            return;
        script->running_ = true;  // a step may open a modal loop that ticks too
        if (script->steps_[script->next_]()) {
            ++script->next_;
            script->waited_ = 0;
        } else if (++script->waited_ > kPatience) {
            script->next_ = script->steps_.size();
            EnumThreadWindows(
                GetCurrentThreadId(),
                [](HWND hwnd, LPARAM) {
                    PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
                    PostMessageW(hwnd, WM_CLOSE, 0, 0);
                    return TRUE;
                },
                0);
        }
        script->running_ = false;
    }

    static inline TScript* current_ = nullptr;
    std::vector<TStep> steps_;
    std::size_t next_ = 0;
    int waited_ = 0;
    bool running_ = false;
    UINT_PTR timer_ = 0;
};

// A shown dialog of this process: the picker has the "&New..." button.
HWND FindDialog(bool picker) {
    struct TSearch {
        bool Picker;
        HWND Found = nullptr;
    } search{picker};
    EnumWindows(
        [](HWND hwnd, LPARAM data) {
            auto& s = *reinterpret_cast<TSearch*>(data);
            DWORD process = 0;
            GetWindowThreadProcessId(hwnd, &process);
            wchar_t name[16] = {};
            GetClassNameW(hwnd, name, 16);
            if (process != GetCurrentProcessId() || !IsWindowVisible(hwnd) ||
                std::wstring(name) != L"#32770" ||
                (GetDlgItem(hwnd, kNewButtonId) != nullptr) != s.Picker)
                return TRUE;
            s.Found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::wstring Text(HWND hwnd) {
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return text;
}

class NewFolderButtonTest : public testing::Test {
  protected:
    void SetUp() override {
        dialog_.SetAutoNewUI(false);  // the old style, where the program adds its button
        dialog_.SetAllowCreate(true);
        dialog_.SetDirectory(ToUtf8(root_.Path().wstring()));
    }

    // Clicks "&New..." in the picker.
    bool ClickNew() {
        const HWND picker = FindDialog(true);
        if (picker == nullptr)
            return false;
        firstPicker_ = picker;
        const HWND button = GetDlgItem(picker, kNewButtonId);
        newCaption_ = Text(button);
        RECT newRect{};
        RECT cancelRect{};
        RECT client{};
        GetWindowRect(button, &newRect);
        GetWindowRect(GetDlgItem(picker, IDCANCEL), &cancelRect);
        MapWindowPoints(nullptr, picker, reinterpret_cast<POINT*>(&newRect), 2);
        MapWindowPoints(nullptr, picker, reinterpret_cast<POINT*>(&cancelRect), 2);
        GetClientRect(picker, &client);
        mirrored_ = newRect.left == client.right - cancelRect.right &&
                    newRect.top == cancelRect.top &&
                    newRect.right - newRect.left == cancelRect.right - cancelRect.left;
        PostMessageW(picker, WM_COMMAND, MAKEWPARAM(kNewButtonId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        return true;
    }

    // Names the folder in the input box and presses OK.
    std::function<bool()> NameFolder(const std::wstring& name) {
        return [name] {
            const HWND box = FindWindowW(nullptr, L"New folder");
            if (box == nullptr || !IsWindowVisible(box))
                return false;
            const HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
            SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
            PostMessageW(FindWindowExW(box, nullptr, L"Button", L"OK"), BM_CLICK, 0, 0);
            return true;
        };
    }

    // Once the picker opened again with `folder` selected (its path is the
    // status text), presses OK.
    std::function<bool()> PickWhenSelected(const std::filesystem::path& folder) {
        return [this, folder] {
            const HWND picker = FindDialog(true);
            if (picker == nullptr || picker == firstPicker_)
                return false;
            bool shown = false;
            for (HWND text = FindWindowExW(picker, nullptr, L"Static", nullptr); text != nullptr;
                 text = FindWindowExW(picker, text, L"Static", nullptr))
                shown = shown || Text(text) == folder.wstring();
            if (shown)
                PostMessageW(picker, WM_COMMAND, IDOK, 0);
            return shown;
        };
    }

    static bool PressInPicker(int id) {
        const HWND picker = FindDialog(true);
        if (picker == nullptr)
            return false;
        PostMessageW(picker, WM_COMMAND, id, 0);
        return true;
    }

    TApplication app_{GetModuleHandleW(nullptr)};
    testing_support::TempDir root_;
    TSHDirectoryDialog dialog_{nullptr};
    std::wstring newCaption_;
    bool mirrored_ = false;
    HWND firstPicker_ = nullptr;
};

TEST_F(NewFolderButtonTest, AMadeFolderIsOpenedAgainAndPicked) {
    const std::filesystem::path made = root_.Path() / "Made here";
    const TScript script({[this] { return ClickNew(); }, NameFolder(L"Made here"),
                          // The picker came back at the new folder: OK picks it.
                          PickWhenSelected(made)});
    EXPECT_TRUE(dialog_.Execute());
    EXPECT_EQ(script.Done(), 3u);
    EXPECT_EQ(newCaption_, L"&New...");
    EXPECT_TRUE(mirrored_);
    EXPECT_TRUE(std::filesystem::is_directory(made));
    EXPECT_EQ(dialog_.Directory(), ToUtf8(made.wstring()));
}

TEST_F(NewFolderButtonTest, AFailureIsToldAndThePickerStays) {
    std::wstring message;
    const TScript script({[this] { return ClickNew(); }, NameFolder(L"bad|name"),
                          [&] {
                              const HWND box = FindDialog(false);
                              if (box == nullptr)
                                  return false;
                              for (HWND text = FindWindowExW(box, nullptr, L"Static", nullptr);
                                   text != nullptr;
                                   text = FindWindowExW(box, text, L"Static", nullptr))
                                  message += Text(text);
                              PostMessageW(box, WM_COMMAND, IDOK, 0);
                              return true;
                          },
                          [] { return PressInPicker(IDCANCEL); }});
    EXPECT_FALSE(dialog_.Execute());
    EXPECT_EQ(script.Done(), 4u);
    EXPECT_EQ(message.rfind(L"Failed to create new folder\n(", 0), 0u) << ToUtf8(message);
    EXPECT_EQ(dialog_.Directory(), ToUtf8(root_.Path().wstring()));
}

}  // namespace
}  // namespace nimbra
