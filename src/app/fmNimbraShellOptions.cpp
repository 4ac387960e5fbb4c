#include "app/fmNimbraShellOptions.h"

#include "utils/NimbraCfg.h"

namespace nimbra {

TNimbraShellOptions::TNimbraShellOptions(TComponent* owner) : TShellOptionsPageFrame(owner) {
    SetName("NimbraShellOptions");
    chkSplash = AddCheck("chkSplash", "Sho&w the splash screen while program loads");
}

void TNimbraShellOptions::LoadSettings() {
    TShellOptionsPageFrame::LoadSettings();
    if (ShellCfg != nullptr)
        chkSplash->SetChecked(ShellCfg->ShowSplash());
}

void TNimbraShellOptions::SaveSettings() {
    if (ShellCfg != nullptr)
        ShellCfg->SetShowSplash(chkSplash->Checked());
    TShellOptionsPageFrame::SaveSettings();
}

const TClassInfo& TNimbraShellOptions::StaticClassInfo() {
    static const TClassInfo info("TNimbraShellOptions", &TShellOptionsPageFrame::StaticClassInfo());
    return info;
}

}  // namespace nimbra
