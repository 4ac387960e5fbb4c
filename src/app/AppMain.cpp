#include <windows.h>

#include <commctrl.h>

#include "app/MainWindow.h"
#include "base/ComInit.h"
#include "base/Exception.h"
#include "base/Unicode.h"

namespace {

int RunMessageLoop() {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    try {
        // The shell's objects live on this thread for the whole run.
        const nimbra::TComInitializer com;
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        nimbra::TMainWindow window(instance);
        window.Show(showCommand);
        return RunMessageLoop();
    } catch (const std::exception& e) {
        MessageBoxW(nullptr, nimbra::ToWide(e.what()).c_str(), L"Nimbra", MB_ICONERROR | MB_OK);
        return 1;
    }
}
