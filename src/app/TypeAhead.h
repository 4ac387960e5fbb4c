#pragma once

// Keeps what the user types right after the hotkey for the program's window
// (Windows only). Keys typed in the same breath as the hotkey would reach the
// window that was in front before the program's came up; a low-level
// keyboard hook holds them from the hotkey until the window is ready, then
// sends them again, in order.
//
// The hook lives on a thread of its own that does nothing else, so the
// keyboard of the whole system never waits on the program's window thread,
// however busy it is.
#include <windows.h>

#include <atomic>
#include <thread>

#include "shortcuts/KeyHold.h"

namespace nimbra {

class TTypeAhead {
  public:
    TTypeAhead();
    ~TTypeAhead();
    TTypeAhead(const TTypeAhead&) = delete;
    TTypeAhead& operator=(const TTypeAhead&) = delete;

    // The hotkey that opens the window; 0 when it is off or did not
    // register (then nothing is held).
    void SetHotKey(TShortCut shortCut);
    // The window has the focus: what was held goes to it now.
    void Release();
    // Only while the program is in the background can keys go astray:
    // while it is in front the hook is taken out, so typing in its own
    // window does not pass it.
    void SetArmed(bool armed);

  private:
    void Run(std::atomic<bool>& started);
    // `up`: the message says the key went up (the flags do not always).
    bool Hook(const KBDLLHOOKSTRUCT& key, bool up);
    void SendHeld();
    void UpdateHook();
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);

    std::atomic<DWORD> threadId_{0};
    // Used on the hook thread only.
    TKeyHold hold_;
    bool armed_ = true;
    bool owner_ = false;
    HHOOK hook_ = nullptr;
    std::thread thread_;
};

}  // namespace nimbra
