#include "app/AppInit.h"

#include <memory>

#include "app/fmAbout.h"
#include "app/fmHelpView.h"
#include "app/fmNimbraApp.h"
#include "base/ComInit.h"
#include "controls/Dialogs_win.h"
#include "controls/Forms_win.h"
#include "help/CommonAppHelp.h"
#include "help/HelpUtilsEx.h"
#include "shortcuts/AppShortcuts.h"
#include "utils/CmdLineUtils.h"
#include "utils/ConfigUtils.h"
#include "utils/MySingleInstance_win.h"
#include "utils/NewLangUtils.h"
#include "utils/NimbraCfg.h"

namespace nimbra {

namespace {

// Closes the instance mutex when the program ends, after everything that
// is declared after it: from then on a new start is a first copy.
struct TInstanceMutexCloser {
    TInstanceMutexCloser() = default;
    TInstanceMutexCloser(const TInstanceMutexCloser&) = delete;
    TInstanceMutexCloser& operator=(const TInstanceMutexCloser&) = delete;
    ~TInstanceMutexCloser() { CloseInstanceMutex(); }
};

// How long "-exit" waits for the running copy to end; the installer gives
// up (or asks the user) after that instead of hanging.
constexpr DWORD kExitWaitMs = 20000;

// "-exit": ends the copy that runs and never starts one. Exit code 1 when
// it still runs after the time limit.
int EndRunningCopy() {
    if (!CheckPrevInstance(kNimbraInstanceId, true))
        return 0;
    return EndPrevInstance(kExitWaitMs) ? 0 : 1;
}

}  // namespace

int RunProgram(HINSTANCE instance, int showCommand) {
    // Destroyed in the reverse order: the windows (and with them the
    // notification icon and the instance receiver), the configuration, the
    // hotkeys, then the mutex.
    const TInstanceMutexCloser mutexCloser;
    // Before anything else: it needs nothing of the program.
    if (CmdLineSwitchPresent(kExitSwitch) && !CmdLineSwitchPresent("help"))
        return EndRunningCopy();
    const TComInitializer com;
    InitAppIni(ProgramFolder());
    TAppShortCutsManager shortCuts;
    const TAppShortCutsLocalizer shortCutsLocalizer;
    // The options dialog's keyboard page edits its copies.
    TAppShortCutsCfg shortCutsCfg;
    TNimbraCfg configuration;
    configuration.Load();

    const bool helpMode = CmdLineSwitchPresent("help");
    bool showMainForm = true;
    if (!helpMode) {
        if (CheckPrevInstance(kNimbraInstanceId, true)) {
            ActivatePrevInstance();
            return 0;
        }
        showMainForm = !CmdLineSwitchPresent("tray");
    }
    // The application comes before the splash, which is one of its windows.
    TApplication application(instance);
    InstallApplicationErrorDisplay();
    SetHelpViewer(&ShowHelpViewer);
    application.SetTitle("Nimbra");
    const bool splash = !helpMode && ShellCfg != nullptr && ShellCfg->ShowSplash();
    if (splash)
        ShowSplash(!showMainForm);

    TNimbraApp* form = nullptr;
    if (!helpMode) {
        form = new TNimbraApp(&application);
        application.SetMainForm(form);
    }
    // After the main window: the global localizer they carry switches to the
    // stored language, which reaches the windows that exist.
    CreateHelpModules(&application);

    if (helpMode) {
        if (CmdLineSwitchPresent("dump"))
            DumpHelp();
        else
            ShowHelpModal(std::string(kRootTopic));
        return 0;
    }
    if (splash)
        HideSplash();
    if (showCommand == SW_SHOWMINNOACTIVE) {
        // Started minimized without activation: straight into the
        // notification area.
        showMainForm = false;
        form->MinimizeApp();
    }
    application.SetShowMainForm(showMainForm);
    application.SetMaximizeMainForm(showCommand == SW_SHOWMAXIMIZED);
    application.Run();
    return 0;
}

}  // namespace nimbra
