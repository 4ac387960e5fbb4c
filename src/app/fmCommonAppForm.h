#pragma once

// The application window every program of ours builds on: the program-wide
// commands (open, hide, exit, help, about, balloons, tip of the day), the
// notification icon, the global hotkey that brings the window up, the
// single-instance receiver, and the rules for hiding into the notification
// area (Windows only).
#include <memory>
#include <string>

#include "controls/ActnList.h"
#include "controls/Forms.h"
#include "controls/Menus.h"
#include "utils/CommonAppRules.h"

struct tagHELPINFO;

namespace nimbra {

class TAppIniFormFont;
class TAppIniFormPos;
class TAppShortCut;
class TContextHelpEx;
class TCustomImageList;
class TMyOptionsDialogAction;
class TOptionsDialog2;
class TMySingleInstance;
class TNewLocalizer;
class TTimer;
class TTrayIcon;
class TTypeAhead;

// The form's own messages.
inline constexpr unsigned kShowStartupInfoMessage = 0x0400 + 1;  // WM_USER + 1
inline constexpr unsigned kPostCreateMessage = 0x0400 + 2;       // WM_USER + 2

class TCommonAppForm : public TForm {
  public:
    explicit TCommonAppForm(TComponent* owner);
    ~TCommonAppForm() override;

    TActionList* ActionList1 = nullptr;
    TContextHelpEx* ContextHelpEx1 = nullptr;
    TAppIniFormFont* AppIniFormFont1 = nullptr;
    TAppIniFormPos* AppIniFormPos1 = nullptr;
    TMySingleInstance* MySingleInstance1 = nullptr;
    TNewLocalizer* NewLocalizer1 = nullptr;
    TTimer* PostCreateTimer = nullptr;
    TOptionsDialog2* AppOptionsDialog = nullptr;
    TCustomImageList* AppOptionsImages = nullptr;

    TAction* AppOpen = nullptr;
    TAction* AppHide = nullptr;
    TAction* AppExit = nullptr;
    TAction* AppHelp = nullptr;
    TAction* AppHelpContents = nullptr;
    TAction* AppHelpOnWindow = nullptr;
    TAction* AppAbout = nullptr;
    TAction* AppWeb = nullptr;
    TAction* VisitHomePage = nullptr;
    TMyOptionsDialogAction* AppOptions = nullptr;
    TAction* SendFeedback = nullptr;
    TAction* EnableDisableBalloons = nullptr;
    TAction* ShowTip = nullptr;

    TCommonAppProps AppProps;
    TAppShortCut* AppOpenShortCut = nullptr;
    TTrayIcon* TrayIcon = nullptr;
    bool HideBalloonShown = false;

    // Minimizes the application: into the notification area when the task-bar
    // button is hidden on minimize.
    void MinimizeApp();
    // Whether the window is hidden in the notification area.
    bool HiddenInTray() const { return hiddenInTray_; }
    // The balloon of the switch with ordinal `code`, when the settings allow.
    void ShowTrayBalloon(const std::string& title, int code);

    virtual TTrayIcon* CreateTrayIcon();
    virtual bool TrayIconVisible() { return true; }
    virtual void CreateAppShortCuts();
    virtual TPopupMenu* GetTrayPopupMenu() { return nullptr; }
    virtual void ShowStartupInfo();
    virtual void TrayIconClick();
    virtual void PostCreate();
    virtual void AfterHiddenStart();
    virtual TShortCut DefaultAppOpenShortCut();
    virtual void LocalizeHook() {}
    // After AppOpen brought the program's own window up.
    virtual void WindowOpened() {}
    virtual std::string GetCaption();
    void UpdateCaption();
    virtual void ApplyOptions();

    bool HandleWindowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                             std::intptr_t& result) override;
    // The construction steps after the derived form has built its controls.
    void Loaded() override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    // The default switches; runs before anything else is built.
    virtual void InitProps();
    TAction* MakeAction(const char* name, const char* caption, const char* hint,
                        TShortCut shortCut = 0);

  private:
    void CreateActions();
    // The options dialog's component and its 32 x 32 page pictures; the
    // derived window lists the pages.
    void CreateOptionsDialog();
    // Captions and hints such as "Visit %s &Web site" name the program.
    void NameTheProgramInActions();
    void SetUpTrayIcon();
    void AppOpenExecute();
    void RestoreFromTray();
    void FormShown();
    // The first visible window of the program in screen order that is not
    // the help viewer.
    TCustomForm* FrontWindow() const;

    // F1 on a control or in an open menu.
    void HelpRequested(const tagHELPINFO& info);
    static unsigned OpenContextMessage();

    // Tells the keyboard hook which combination opens the window.
    void UpdateTypeAhead();

    bool hiddenInTray_ = false;
    std::string pendingHelpTopic_;
    std::unique_ptr<TTypeAhead> typeAhead_;
};

// A text with each "%s" replaced by the program's name.
std::string WithAppName(std::string text);

}  // namespace nimbra
