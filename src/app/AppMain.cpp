#include <windows.h>

#include "app/AppInit.h"
#include "base/Unicode.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    try {
        return nimbra::RunProgram(instance, showCommand);
    } catch (const std::exception& e) {
        MessageBoxW(nullptr, nimbra::ToWide(e.what()).c_str(), L"Nimbra", MB_ICONERROR | MB_OK);
        return 1;
    }
}
