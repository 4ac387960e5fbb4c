#include "app/fmCommonAppForm.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "app/OptionUtils2.h"
#include "app/TrayUtils.h"
#include "app/TypeAhead.h"
#include "app/fmAbout.h"
#include "app/fmAskForUpdate.h"
#include "app/fmHelpView.h"
#include "app/fmTipOfTheDay.h"
#include "base/DateTime.h"
#include "base/Unicode.h"
#include "controls/Forms_win.h"
#include "controls/ImgList.h"
#include "controls/Timer_win.h"
#include "help/CommonAppHelp.h"
#include "help/HelpUtilsEx.h"
#include "shell/ShellUtils_win.h"
#include "shortcuts/AppShortcuts.h"
#include "utils/AppIniForm_win.h"
#include "utils/CmdLineUtils.h"
#include "utils/ConfigUtils.h"
#include "utils/MySingleInstance_win.h"
#include "utils/NewLangUtils.h"
#include "utils/NewLangUtilsTexts.h"

namespace nimbra {

namespace {

// Days between two offers to look for a new version.
constexpr int kUpdateCheckPeriodDays = 90;
constexpr int kBalloonSeconds = 10;

std::string ReplaceFirst(std::string text, std::string_view what, std::string_view with) {
    if (const std::size_t at = text.find(what); at != std::string::npos)
        text.replace(at, what.size(), with);
    return text;
}

HWND FormWindow(const TCustomForm& form) {
    const TWinPeer* peer = PeerOf(form);
    return peer != nullptr ? peer->Handle() : nullptr;
}

// The system's caption animation between a window and the notification
// area, where the shell has one.
void AnimateWithTray(HWND window, bool toTray) {
    const HWND tray = TTrayIcon::NotifyAreaWindow();
    if (window == nullptr || tray == nullptr)
        return;
    RECT windowRect{};
    RECT trayRect{};
    GetWindowRect(window, &windowRect);
    GetWindowRect(tray, &trayRect);
    if (toTray)
        DrawAnimatedRects(window, IDANI_CAPTION, &windowRect, &trayRect);
    else
        DrawAnimatedRects(window, IDANI_CAPTION, &trayRect, &windowRect);
}

}  // namespace

std::string WithAppName(std::string text) {
    for (std::size_t at = text.find("%s"); at != std::string::npos; at = text.find("%s", at))
        text.replace(at, 2, kAppName);
    return text;
}

TCommonAppForm::TCommonAppForm(TComponent* owner) : TForm(owner) {
    // A derived window adds its switches in its own constructor: the steps
    // that read them run once it has been built (Loaded).
    InitProps();
    ActionList1 = new TActionList(this);
    ActionList1->SetName("ActionList1");
    ContextHelpEx1 = new TContextHelpEx(this);
    ContextHelpEx1->SetName("ContextHelpEx1");
    AppIniFormFont1 = new TAppIniFormFont(this);
    AppIniFormFont1->SetName("AppIniFormFont1");
    AppIniFormFont1->SetFontList("Tahoma,MS Sans Serif");
    AppIniFormFont1->SetGlobal(true);
    AppIniFormPos1 = new TAppIniFormPos(this);
    AppIniFormPos1->SetName("AppIniFormPos1");
    AppIniFormPos1->SetSection("View state");
    // Windows made without the start-up (the default language file, tests)
    // have no instance to receive hand-overs for.
    if (!InstanceIdentifier().empty()) {
        MySingleInstance1 = new TMySingleInstance(this);
        MySingleInstance1->SetName("MySingleInstance1");
        MySingleInstance1->SetNoAutoActivate(true);
        MySingleInstance1->OnInstanceLaunch = [this](TMySingleInstance&, const std::string& line) {
            const bool exit = CmdLineSwitchPresent(kExitSwitch, SplitCommandLine(line));
            (exit ? AppExit : AppOpen)->Execute();
        };
    }
    PostCreateTimer = new TTimer(this);
    PostCreateTimer->SetName("PostCreateTimer");
    PostCreateTimer->SetInterval(1000);
    PostCreateTimer->OnTimer = [this](TObject&) {
        PostCreateTimer->SetEnabled(false);
        PostCreate();
    };
    CreateActions();
    CreateOptionsDialog();
    OnShow = [this](TObject&) { FormShown(); };
}

TCommonAppForm::~TCommonAppForm() = default;  // TTypeAhead is complete here

void TCommonAppForm::InitProps() {
    AppProps = CommonAppFormDefaultProps();
}

TAction* TCommonAppForm::MakeAction(const char* name, const char* caption, const char* hint,
                                    TShortCut shortCut) {
    auto* action = new TAction(this);
    action->SetName(name);
    action->SetCaption(caption);
    action->SetHint(hint);
    action->SetShortCut(shortCut);
    action->SetActionList(ActionList1);
    return action;
}

void TCommonAppForm::CreateOptionsDialog() {
    AppOptionsImages = new TCustomImageList(this);
    AppOptionsImages->SetName("AppOptionsImages");
    AppOptionsImages->SetSize(32, 32);
    for (const char* picture : {"LANG", "KEYS", "SHELL"})
        AppOptionsImages->Add(picture);
    AppOptionsDialog = new TOptionsDialog2(this);
    AppOptionsDialog->SetName("AppOptionsDialog");
    AppOptionsDialog->SetImages(AppOptionsImages);
    AppOptionsDialog->SetShowHelpButton(true);
}

void TCommonAppForm::CreateActions() {
    AppOpen = MakeAction("AppOpen", "&Open...", "Open the program window|Open the program window.");
    AppOpen->OnExecute = [this](TObject&) { AppOpenExecute(); };
    AppHide = MakeAction("AppHide", "&Hide", "Hide the program window|Hide the program window.");
    AppHide->OnExecute = [this](TObject&) { MinimizeApp(); };
    AppExit = MakeAction("AppExit", "E&xit", "Exit the program|Exit the program.", scAlt | 'X');
    AppExit->OnExecute = [this](TObject&) { Close(); };
    const auto helpAt = [](const char* key) { return [key](TObject&) { ShowHelp(key); }; };
    const auto whileThereIsHelp = [](TObject& sender) {
        static_cast<TAction&>(sender).SetEnabled(HasHelpViewer());
    };
    AppHelp = MakeAction("AppHelp", "&Help", "Show the help|Show the help.");
    AppHelp->OnExecute = helpAt("!App");
    AppHelpContents = MakeAction("AppHelpContents", "&Contents",
                                 "Show the help contents|Show the help contents.");
    AppHelpContents->OnExecute = helpAt("!App");
    AppHelpOnWindow = MakeAction("AppHelpOnWindow", "&Help",
                                 "Show the help on this window|Show the help on this window.");
    AppHelpOnWindow->OnExecute = [this](TObject&) {
        TCustomForm* form = Application != nullptr ? Application->ActiveForm() : nullptr;
        ShowHelp(ContextTopicOf(form != nullptr ? form : this));
    };
    for (TAction* help : {AppHelp, AppHelpContents, AppHelpOnWindow})
        help->OnUpdate = whileThereIsHelp;
    AppAbout = MakeAction("AppAbout", "&About...",
                          "Show the program information|Show the program information.");
    AppAbout->OnExecute = [this](TObject&) { ShowAboutBox(this); };
    AppWeb = MakeAction("AppWeb", "&Web site...",
                        "Open the maker's Web site|Open the maker's Web site.");
    AppWeb->OnExecute = [](TObject&) { OpenWithShell(kHomePage); };
    VisitHomePage = MakeAction("VisitHomePage", "Visit %s &Web site",
                               "Open the %s Web site using the default Web browser|"
                               "Open the %s Web site using the default Web browser.");
    VisitHomePage->OnExecute = [](TObject&) { OpenWithShell(kAppPage); };
    AppOptions = new TMyOptionsDialogAction(this);
    AppOptions->SetName("AppOptions");
    AppOptions->SetCaption("&Options...");
    AppOptions->SetHint("Manage the %s options.");
    AppOptions->SetActionList(ActionList1);
    AppOptions->OnApplyOptions = [this](TObject&) { ApplyOptions(); };
    SendFeedback = MakeAction("SendFeedback", "&Mail question or comments to support...",
                              "Write to the support|Write a message to the support.");
    SendFeedback->OnExecute = [](TObject&) {
        OpenWithShell("mailto:" + std::string(kSupportEmail));
    };
    EnableDisableBalloons =
        MakeAction("EnableDisableBalloons", "Show &information balloons",
                   "Show information balloons|Show information balloons in the system tray.");
    EnableDisableBalloons->OnUpdate = [this](TObject&) {
        if (EnableDisableBalloons->Visible())
            EnableDisableBalloons->SetChecked(BalloonsEnabled(AppIni()));
    };
    EnableDisableBalloons->OnExecute = [this](TObject&) {
        SetBalloonsEnabled(AppIni(), !EnableDisableBalloons->Checked());
    };
    ShowTip = MakeAction("ShowTip", "Show &tip of the day...",
                         "Show the tip of the day|Show the tip of the day.");
    ShowTip->OnExecute = [this](TObject&) { ShowTipOfTheDay(this, false); };
}

void TCommonAppForm::Loaded() {
    TForm::Loaded();
    UpdateCaption();
    if (AppProps.Contains(caTrayIcon))
        SetUpTrayIcon();
    ApplyOptions();
    CreateAppShortCuts();
    EnableDisableBalloons->SetVisible(HasBalloonProps(AppProps));
    if (NewLocalizer1 != nullptr) {
        NewLocalizer1->OnLocalize = [this](TNewLocalizer&) {
            UpdateCaption();
            NameTheProgramInActions();
            LocalizeHook();
        };
    }
    NameTheProgramInActions();
    // The window exists from here on, shown or not, so the posted step and
    // a hidden start's first opening find it. (Without a running
    // application, as when the default texts are taken, it is never made.)
    if (Application != nullptr) {
        HandleNeeded();
        PostWindowMessage(kPostCreateMessage);
    }
}

void TCommonAppForm::NameTheProgramInActions() {
    for (int i = 0; i < ComponentCount(); ++i) {
        if (auto* action = dynamic_cast<TAction*>(Components(i))) {
            action->SetCaption(WithAppName(action->Caption()));
            action->SetHint(WithAppName(action->Hint()));
        }
    }
}

TTrayIcon* TCommonAppForm::CreateTrayIcon() {
    return new TTrayIcon(this);
}

void TCommonAppForm::SetUpTrayIcon() {
    TrayIcon = CreateTrayIcon();
    TrayIcon->SetName("TrayIcon");
    if (AppProps.Contains(caTrayIconOptional))
        TrayIcon->SetActive(false);
    TrayIcon->SetHint(Application != nullptr ? Application->Title() : std::string(kAppName));
    TrayIcon->AddExemptClass(TCommonAppForm::StaticClassInfo());
    TrayIcon->AddExemptClass(THelpViewForm::StaticClassInfo());
    TrayIcon->OnClick = [this](TTrayIcon&, TTrayButton, int, int) { TrayIconClick(); };
    // Setting the picture adds the icon.
    TrayIcon->SetIcon(nullptr);
    TrayIcon->OnBalloonClick = [](TTrayIcon&, int) {};
    if (AppProps.Contains(caTrayPopup))
        TrayIcon->PopupMenu = GetTrayPopupMenu();
    if (AppProps.Contains(caDisableTrayPopupIfForms))
        TrayIcon->DisableIfForms = true;
}

void TCommonAppForm::CreateAppShortCuts() {
    if (!AppProps.Contains(caAppOpenShortcut) || AppShortCutsManager() == nullptr)
        return;
    const auto localize = [](TAppShortCut& item) {
        item.SetDescription(WithAppName(item.Description()));
    };
    AppOpenShortCut = TAppShortCut::CreateEx("AppOpen", true, AppOpen, DefaultAppOpenShortCut(),
                                             "Show the %s window");
    AppOpenShortCut->SetOnLocalize(localize);
    localize(*AppOpenShortCut);
    typeAhead_ = std::make_unique<TTypeAhead>();
    UpdateTypeAhead();
}

void TCommonAppForm::UpdateTypeAhead() {
    if (typeAhead_ == nullptr || AppOpenShortCut == nullptr)
        return;
    const bool live = AppOpenShortCut->Enabled() && AppOpenShortCut->IsRegistered();
    typeAhead_->SetHotKey(live ? AppOpenShortCut->ShortCut() : 0);
}

TShortCut TCommonAppForm::DefaultAppOpenShortCut() {
    return scWin | '0';
}

std::string TCommonAppForm::GetCaption() {
    const std::string title = Application != nullptr ? Application->Title() : std::string(kAppName);
    return title + " - Quillmoor Software";
}

void TCommonAppForm::UpdateCaption() {
    SetCaption(GetCaption());
}

void TCommonAppForm::ApplyOptions() {
    if (AppProps.Contains(caTrayIconOptional) && TrayIcon != nullptr)
        TrayIcon->SetActive(TrayIconVisible());
    UpdateTypeAhead();
}

void TCommonAppForm::HelpRequested(const HELPINFO& info) {
    if (info.iContextType == HELPINFO_MENUITEM) {
        // F1 in an open menu: the help comes after the menu has closed.
        TMenuItem* item = Menu() != nullptr
                              ? Menu()->FindItem(static_cast<std::uint16_t>(info.iCtrlId))
                              : nullptr;
        if (item == nullptr && Application != nullptr)
            item = Application->MenuItemOf(static_cast<HMENU>(info.hItemHandle));
        // The first help key from the item up through the items that hold it.
        pendingHelpTopic_.clear();
        for (TMenuItem* i = item; i != nullptr && pendingHelpTopic_.empty(); i = i->Parent())
            pendingHelpTopic_ = ContextHelpEx1->MenuItemTopicOf(*i, nullptr);
        if (item != nullptr)
            PostWindowMessage(OpenContextMessage());
        return;
    }
    // F1 on a control: the topic of the control with the focus.
    const TWinPeer* peer = TWinPeer::FromHandle(static_cast<HWND>(info.hItemHandle));
    ShowHelp(ContextHelpEx1->FocusedTopicOf(peer != nullptr ? &peer->Control() : this));
}

unsigned TCommonAppForm::OpenContextMessage() {
    static const UINT message = RegisterWindowMessageW(ToWide(kOpenContextMessageName).c_str());
    return message;
}

bool TCommonAppForm::HandleWindowMessage(unsigned message, std::uintptr_t wParam,
                                         std::intptr_t lParam, std::intptr_t& result) {
    if (message == OpenContextMessage()) {
        ShowHelp(pendingHelpTopic_);
        return true;
    }
    switch (message) {
        case WM_SYSCOMMAND: {
            const auto command = static_cast<UINT>(wParam & 0xFFF0);
            // Every minimize goes through here: the button, the task bar,
            // Esc, the frame's auto-minimize.
            if (command == SC_MINIMIZE ||
                (command == SC_CLOSE && (AppProps.Contains(caMinimizeOnClose) ||
                                         AppProps.Contains(caMinimizeOnTaskbarClose)))) {
                MinimizeApp();
                result = 0;
                return true;
            }
            return false;
        }
        case WM_ACTIVATEAPP:
            if (typeAhead_ != nullptr)
                typeAhead_->SetArmed(wParam == FALSE);
            return false;
        case kShowStartupInfoMessage:
            ShowStartupInfo();
            return true;
        case kPostCreateMessage:
            PostCreate();
            return true;
        case WM_HELP:
            if (const auto* info = reinterpret_cast<const HELPINFO*>(lParam))
                HelpRequested(*info);
            result = TRUE;
            return true;
        case WM_COPYDATA:
            if (AppProps.Contains(caSingleWindow)) {
                const HWND window = FormWindow(*this);
                SetForegroundWindow(window);
                if (IsWindowVisible(window))
                    BringWindowToTop(window);
                else
                    AppOpen->Execute();
            }
            result = TRUE;
            return true;
        default:
            return TForm::HandleWindowMessage(message, wParam, lParam, result);
    }
}

void TCommonAppForm::MinimizeApp() {
    const HWND window = FormWindow(*this);
    if (AppProps.Contains(caHideFromTaskbarOnMinimize)) {
        if (AppProps.Contains(caAnimateMinimize) && window != nullptr && IsWindowVisible(window))
            AnimateWithTray(window, true);
        if (window != nullptr)
            ShowWindow(window, SW_HIDE);
        hiddenInTray_ = true;
    } else if (window != nullptr) {
        ShowWindow(window, SW_MINIMIZE);
    }
    if (AppProps.Contains(caBalloonOnHideFromTaskbar) && TrayIcon != nullptr && !HideBalloonShown) {
        HideBalloonShown = true;
        ShowTrayBalloon(
            WithAppName(GetLocalizedString(CodeText("CommonAppForm", "AppIsNotClosed"))),
            caBalloonOnHideFromTaskbar);
    }
}

void TCommonAppForm::ShowTrayBalloon(const std::string& title, int code) {
    if (TrayIcon == nullptr || !BalloonAllowed(AppIni(), code))
        return;
    std::string text;
    if (AppOpenShortCut != nullptr) {
        text = GetLocalizedString(CodeText("CommonAppForm", "ClickOrPress"));
        text = ReplaceFirst(text, "%s", AppOpenShortCut->ShortCutText());
        text = ReplaceFirst(text, "%s", kAppName);
    } else {
        text = WithAppName(GetLocalizedString(CodeText("CommonAppForm", "ClickIcon")));
    }
    // Every shell since Windows 2000 shows balloons itself; one without them
    // gets none.
    TrayIcon->ShowBalloon(text, title, code, kBalloonSeconds, bikInfo);
}

TCustomForm* TCommonAppForm::FrontWindow() const {
    if (Application == nullptr)
        return nullptr;
    for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!IsWindowVisible(w))
            continue;
        for (TCustomForm* form : Application->Forms()) {
            if (FormWindow(*form) == w &&
                !form->ClassInfo().InheritsFrom(THelpViewForm::StaticClassInfo()))
                return form;
        }
    }
    return nullptr;
}

void TCommonAppForm::RestoreFromTray() {
    const HWND window = FormWindow(*this);
    if (window == nullptr)
        return;
    if (hiddenInTray_) {
        if (AppProps.Contains(caAnimateRestore))
            AnimateWithTray(window, false);
        ShowWindow(window, SW_SHOW);
        hiddenInTray_ = false;
    }
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}

void TCommonAppForm::AppOpenExecute() {
    if (TCustomForm* front = FrontWindow()) {
        const HWND window = FormWindow(*front);
        if (IsIconic(window))
            ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
    } else {
        RestoreFromTray();
        if (!Visible())
            Show();
        WindowOpened();
    }
    // What was typed after the hotkey goes to the window in front now.
    if (typeAhead_ != nullptr)
        typeAhead_->Release();
}

void TCommonAppForm::TrayIconClick() {
    AppOpen->Execute();
}

void TCommonAppForm::FormShown() {
    if (AppProps.Contains(caAskForUpdate))
        AskForUpdate(this, kUpdateCheckPeriodDays);
    PostWindowMessage(kShowStartupInfoMessage);
}

void TCommonAppForm::ShowStartupInfo() {
    // The intro counts as shown only once there is help to show it in.
    if (AppProps.Contains(caShowIntro) && HasHelpViewer() && TakeFirstShow(AppIni())) {
        AppHelp->Execute();
        return;
    }
    if (AppProps.Contains(caTipOfTheDay))
        ShowTipOfTheDay(this, true);
}

void TCommonAppForm::PostCreate() {
    if (Visible())
        return;
    if (SplashShowing()) {
        PostCreateTimer->SetEnabled(true);
        return;
    }
    AfterHiddenStart();
}

void TCommonAppForm::AfterHiddenStart() {
    if (AppProps.Contains(caBalloonOnTrayRun))
        ShowTrayBalloon(
            WithAppName(GetLocalizedString(CodeText("CommonAppForm", "AppIsRunningNow"))),
            caBalloonOnTrayRun);
    if (AppProps.Contains(caMinimizeWorkingSetSizeInTray))
        SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1),
                                 static_cast<SIZE_T>(-1));
}

const TClassInfo& TCommonAppForm::StaticClassInfo() {
    static const TClassInfo info("TCommonAppForm", &TForm::StaticClassInfo());
    return info;
}

}  // namespace nimbra
