#include <windows.h>

#include "app/fmNimbraApp.h"
#include "base/ComInit.h"
#include "base/Unicode.h"
#include "controls/Dialogs_win.h"
#include "controls/Forms_win.h"
#include "help/CommonAppHelp.h"
#include "utils/ConfigUtils.h"
#include "utils/NimbraCfg.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        // The shell's objects live on this thread for the whole run.
        const nimbra::TComInitializer com;
        nimbra::InitAppIni();
        nimbra::TNimbraCfg configuration;
        configuration.Load();
        nimbra::TApplication application(instance);
        nimbra::InstallApplicationErrorDisplay();
        auto* form = new nimbra::TNimbraApp(&application);
        application.SetMainForm(form);
        // After the main window: the global localizer they carry switches
        // to the stored language, which reaches the window.
        nimbra::CreateHelpModules(&application);
        application.Run();
        return 0;
    } catch (const std::exception& e) {
        MessageBoxW(nullptr, nimbra::ToWide(e.what()).c_str(), L"Nimbra", MB_ICONERROR | MB_OK);
        return 1;
    }
}
