#pragma once

#include <windows.h>

#include "base/Handles_win.h"
#include "base/MessageWindow_win.h"

namespace nimbra {

// The program's one top-level window. For now it is an empty frame titled
// "Nimbra"; closing it ends the program.
class TMainWindow {
  public:
    explicit TMainWindow(HINSTANCE instance);
    TMainWindow(const TMainWindow&) = delete;
    TMainWindow& operator=(const TMainWindow&) = delete;

    void Show(int showCommand);
    HWND Handle() const { return window_.Get(); }

  private:
    friend LRESULT CALLBACK ObjectWindowProc<TMainWindow>(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    TWindowHandle window_;
};

}  // namespace nimbra
