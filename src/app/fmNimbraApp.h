#pragma once

// The program's main window: the search frame with a menu and a status bar
// (Windows only).
#include "controls/ActnList.h"
#include "controls/ComCtrls.h"
#include "controls/Forms.h"
#include "controls/Menus.h"

namespace nimbra {

class TNimbraFrame;
class TAppIniFormPos;
class TAppIniFormFont;
class TNewLocalizer;

class TNimbraApp : public TForm {
  public:
    explicit TNimbraApp(TComponent* owner);

    TNimbraFrame* NimbraFrame1 = nullptr;
    TStatusBar* StatusBarEx1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TActionList* ActionList1 = nullptr;
    TAppIniFormPos* AppIniFormPos1 = nullptr;
    TAppIniFormFont* AppIniFormFont1 = nullptr;
    TMenuItem* IncludeFoldersItem = nullptr;
    TAction* AppExit = nullptr;
    TNewLocalizer* NewLocalizer1 = nullptr;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    void CreateMenu();
};

}  // namespace nimbra
