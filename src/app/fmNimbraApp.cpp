#include "app/fmNimbraApp.h"

#include <windows.h>

#include <initializer_list>

#include "app/OptionUtils2.h"
#include "app/fmNimbraShellOptions.h"
#include "app/frCustomFolderBrowserOptions.h"
#include "app/frNimbraOptions.h"
#include "controls/ClassRegistry.h"
#include "controls/ImgList.h"
#include "folders/NimbraFoldersCfg.h"
#include "help/HelpUtilsEx.h"
#include "search/frNimbra.h"
#include "shortcuts/frHotKeysOptions.h"
#include "utils/AppIniForm_win.h"
#include "utils/NewLangUtils.h"
#include "utils/NimbraCfg.h"
#include "utils/frLangOptions.h"

namespace nimbra {

namespace {

// The key that is ";" on a US layout.
constexpr TShortCut kOemSemicolon = 186;

TMenuItem* AddItem(TComponent* owner, TMenuItem& parent, TBasicAction* action) {
    auto* item = new TMenuItem(owner);
    if (action == nullptr)
        item->SetCaption("-");
    else
        item->SetAction(action);
    parent.Add(item);
    return item;
}

// Items bound to the actions, in order; nullptr is a separator.
void AddItems(TComponent* owner, TMenuItem& parent, std::initializer_list<TBasicAction*> actions) {
    for (TBasicAction* action : actions)
        AddItem(owner, parent, action);
}

TMenuItem* AddSubmenu(TComponent* owner, TMenuItem& parent, const char* name, const char* caption,
                      const char* hint) {
    auto* item = new TMenuItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    item->SetHint(hint);
    item->SetAutoHotkeys(false);
    parent.Add(item);
    return item;
}

}  // namespace

TNimbraApp::TNimbraApp(TComponent* owner) : TCommonAppForm(owner) {
    AppProps.Include(caTrayPopup).Include(caAppOpenShortcut);
    SetName("NimbraApp");
    SetClientSize(440, 440);
    SetHint("!App.HowToUse.Nimbra");
    AppIniFormPos1->SetStoreSize(true);
    AppIniFormPos1->SetStorePosition(true);
    AppIniFormPos1->SetInitSize(90);

    EscAction = MakeAction("EscAction", "EscAction", "", VK_ESCAPE);
    EscAction->OnUpdate = [this](TObject&) { EscAction->SetEnabled(Active()); };
    EscAction->OnExecute = [this](TObject&) { AppHide->Execute(); };
    HelpKeys =
        MakeAction("HelpKeys", "&Keyboard shortcuts",
                   "Show the keyboard shortcuts|Show the keyboard shortcuts.", scShift | VK_F1);
    HelpKeys->OnUpdate = [this](TObject&) { HelpKeys->SetEnabled(HasHelpViewer()); };
    HelpKeys->OnExecute = [](TObject&) { ShowHelp("!App.Keyboard"); };

    StatusBarEx1 = new TStatusBar(this);
    StatusBarEx1->SetName("StatusBarEx1");
    StatusBarEx1->SetParent(this);
    StatusBarEx1->SetBounds(0, 421, 440, 19);
    StatusBarEx1->SetAutoHint(true);
    NimbraFrame1 = new TNimbraFrame(this);
    NimbraFrame1->SetParent(this);
    NimbraFrame1->SetAlign(alClient);
    CreateMainMenu();
    CreateTrayMenu();
    SetActiveControl(NimbraFrame1->Edit1);

    CreateOptionsPages();

    NewLocalizer1 = new TNewLocalizer(this);
    NewLocalizer1->SetName("NewLocalizer1");
    NewLocalizer1->SetForceFrameSave(true);
    NewLocalizer1->Filter()->Add("+AppOptionsDialog.Pages.Title");
    FinishLoading(*this);
}

void TNimbraApp::CreateOptionsPages() {
    // Registered here rather than when each page's unit starts: a unit of a
    // static library that nothing refers to is left out of the program, and
    // its registration with it.
    RegisterComponentClass<TNimbraOptionsFrame>();
    RegisterComponentClass<THotKeysOptionsPageFrame>();
    RegisterComponentClass<TShellOptionsPageFrame>();
    RegisterComponentClass<TNimbraShellOptions>();
    RegisterComponentClass<TLangOptionsPageFrame>();
    RegisterComponentClass<TCustomFolderBrowserOptionsFrame>();
    AppOptionsImages->Add("NIMBRA");
    TOptionsPages2& pages = *AppOptionsDialog->Pages();
    pages.AddPage("Nimbra", "nimbra", "TNimbraOptionsFrame");
    pages.AddPage("Keyboard", "keys", "THotKeysOptionsPageFrame");
    pages.AddPage("Shell", "shell", "TNimbraShellOptions");
    pages.AddPage("Language", "lang", "TLangOptionsPageFrame");
    // The program opens folders with the shell's own window.
    pages.AddPage("Custom Folder Browser", "", "TCustomFolderBrowserOptionsFrame", false);
}

TMyLinkedAction* TNimbraApp::Link(const char* name, TAction* target) {
    auto* linked = new TMyLinkedAction(this);
    linked->SetName(name);
    linked->SetActionList(ActionList1);
    linked->SetLink(target);
    return linked;
}

void TNimbraApp::CreateMainMenu() {
    MainMenu1 = new TMainMenu(this);
    MainMenu1->SetName("MainMenu1");
    // The main menu's hot keys are chosen by hand.
    MainMenu1->Items()->SetAutoHotkeys(false);
    TNimbraFrame& f = *NimbraFrame1;
    TMenuItem& root = *MainMenu1->Items();

    TMenuItem& file = *AddSubmenu(this, root, "FileMenu", "&File", "!App.Dialogs.MainMenu.File");
    AddItems(this, file,
             {Link("OpenAction", f.CmdRun), Link("ShowParentFolder", f.ShowMenuContainer),
              Link("ShowContainer", f.ShowContainer), nullptr, Link("ExplorerMenu", f.ExplorerMenu),
              Link("ShowProps", f.ShowShellProperties), nullptr, AppExit});

    TMenuItem& view = *AddSubmenu(this, root, "ViewMenu", "&View", "!App.Dialogs.MainMenu.View");
    IncludeFoldersItem =
        AddSubmenu(this, view, "IncludeFoldersItem", "&Include folders",
                   "!App.Dialogs.Nimbra.FoldersMenu|Select the folders you would like to search.");
    TMenuItem& recent =
        *AddSubmenu(this, view, "RecentItem", "&Show items added/modified in",
                    "!App.Dialogs.Nimbra.RecentMenu|Filter search results by date.");
    AddItems(this, recent,
             {Link("RecentLastDay", f.RecentLastDay), Link("RecentLastWeek", f.RecentLastWeek),
              Link("RecentLastMonth", f.RecentLastMonth), Link("RecentLastYear", f.RecentLastYear),
              nullptr, Link("RecentCustom", f.RecentCustom),
              Link("RecentCustomSelect", f.RecentCustomSelect), nullptr,
              Link("RecentAll", f.RecentAll)});
    AddItems(this, view,
             {nullptr, Link("AutoScroll", f.AutoScroll), Link("AutoMinimize", f.AutoMinimize),
              nullptr, Link("ViewHeader", f.ViewHeader), Link("ViewToolbar", f.ViewToolbar),
              nullptr, AppOptions});
    Link("CustomizeFolders", f.CustomizeFolders);

    TMenuItem& help = *AddSubmenu(this, root, "HelpMenu", "&Help", "!App.Dialogs.MainMenu.Help");
    auto* visitHomePage = new TAction(this);
    visitHomePage->SetName("VisitHomePageAction1");
    visitHomePage->SetCaption(VisitHomePage->Caption());
    visitHomePage->SetHint(VisitHomePage->Hint());
    visitHomePage->SetActionList(ActionList1);
    visitHomePage->OnExecute = [this](TObject&) { VisitHomePage->Execute(); };
    AddItems(this, help,
             {AppHelpContents, HelpKeys, nullptr, EnableDisableBalloons, ShowTip, nullptr,
              visitHomePage, SendFeedback, nullptr, AppAbout});
    SetMenu(MainMenu1);

    f.OnIncludeMenuUpdate = [this](TObject&) { NimbraFrame1->FillFolderMenu(*IncludeFoldersItem); };
    f.FillFolderMenu(*IncludeFoldersItem);
}

void TNimbraApp::CreateTrayMenu() {
    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    AddItem(this, *PopupMenu1->Items(), AppOpen)->SetDefault(true);
    AddItems(this, *PopupMenu1->Items(), {nullptr, EnableDisableBalloons, nullptr, AppExit});
}

TShortCut TNimbraApp::DefaultAppOpenShortCut() {
    return scWin | kOemSemicolon;
}

void TNimbraApp::ApplyOptions() {
    TCommonAppForm::ApplyOptions();
    if (ShellCfg != nullptr) {
        const auto set = [this](TCommonAppProp prop, bool on) {
            if (on)
                AppProps.Include(prop);
            else
                AppProps.Exclude(prop);
        };
        set(caAnimateMinimize, ShellCfg->AnimateMinimize());
        set(caAnimateRestore, ShellCfg->AnimateRestore());
    }
    if (FoldersCfg != nullptr && FoldersCfg->FoldersChanged()) {
        FoldersCfg->SetFoldersChanged(false);
        NimbraFrame1->ApplyFoldersChange();
    }
}

void TNimbraApp::WindowOpened() {
    // Whatever is typed next replaces the request.
    NimbraFrame1->Edit1->SetFocus();
    NimbraFrame1->Edit1->SelectAll();
}

const TClassInfo& TNimbraApp::StaticClassInfo() {
    static const TClassInfo info("TNimbraApp", &TCommonAppForm::StaticClassInfo());
    return info;
}

}  // namespace nimbra
