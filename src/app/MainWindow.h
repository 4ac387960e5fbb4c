#pragma once

#include <windows.h>

namespace nimbra {

// The program's one top-level window. For now it is an empty frame titled
// "Nimbra"; closing it ends the program.
class MainWindow {
  public:
    explicit MainWindow(HINSTANCE instance);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    void Show(int showCommand);
    HWND Handle() const { return handle_; }

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    HWND handle_ = nullptr;
};

}  // namespace nimbra
