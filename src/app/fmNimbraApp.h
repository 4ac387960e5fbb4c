#pragma once

// The program's main window: the search frame with its menus and a status
// bar, on the application window of every program of ours (Windows only).
#include "app/fmCommonAppForm.h"
#include "controls/ComCtrls.h"

namespace nimbra {

class TNimbraFrame;

class TNimbraApp : public TCommonAppForm {
  public:
    explicit TNimbraApp(TComponent* owner);

    TNimbraFrame* NimbraFrame1 = nullptr;
    TStatusBar* StatusBarEx1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* IncludeFoldersItem = nullptr;
    TAction* EscAction = nullptr;
    TAction* HelpKeys = nullptr;

    TPopupMenu* GetTrayPopupMenu() override { return PopupMenu1; }
    TShortCut DefaultAppOpenShortCut() override;
    void ApplyOptions() override;
    void WindowOpened() override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    TMyLinkedAction* Link(const char* name, TAction* target);
    void CreateMainMenu();
    void CreateTrayMenu();
    void CreateOptionsPages();
};

}  // namespace nimbra
