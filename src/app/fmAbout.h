#pragma once

// The about window, which is also the splash shown while the program starts
// (Windows only).
#include "controls/ExtCtrls.h"
#include "controls/Forms.h"
#include "controls/StdCtrls.h"

namespace nimbra {

class TAboutForm : public TForm {
  public:
    // As a splash: no border and no buttons.
    TAboutForm(TComponent* owner, bool splash);

    TImage* Image1 = nullptr;
    TLabel* ProductLabel = nullptr;
    TLabel* VersionLabel = nullptr;
    TLabel* CopyrightLabel = nullptr;
    TButton* WebButton = nullptr;
    TButton* OKButton = nullptr;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

// Shows the about window modally.
void ShowAboutBox(TComponent* owner);

// The splash of the start-up: shown at once and painted; hiding it after a
// start into the notification area first draws the caption animation
// towards it.
void ShowSplash(bool animateToTray);
void HideSplash();
bool SplashShowing();

}  // namespace nimbra
