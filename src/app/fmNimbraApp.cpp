#include "app/fmNimbraApp.h"

#include <windows.h>

#include "search/frNimbra.h"
#include "utils/AppIniForm_win.h"
#include "utils/NewLangUtils.h"

namespace nimbra {

TNimbraApp::TNimbraApp(TComponent* owner) : TForm(owner) {
    SetName("NimbraApp");
    SetCaption("Nimbra");
    SetClientSize(440, 440);
    SetHint("!App.HowToUse.Nimbra");

    AppIniFormFont1 = new TAppIniFormFont(this);
    AppIniFormFont1->SetName("AppIniFormFont1");
    AppIniFormFont1->SetFontList("Tahoma,MS Sans Serif");
    AppIniFormFont1->SetGlobal(true);
    AppIniFormPos1 = new TAppIniFormPos(this);
    AppIniFormPos1->SetName("AppIniFormPos1");
    AppIniFormPos1->SetInitSize(90);

    ActionList1 = new TActionList(this);
    ActionList1->SetName("ActionList1");
    AppExit = new TAction(this);
    AppExit->SetName("AppExit");
    AppExit->SetCaption("E&xit");
    AppExit->SetHint("Exit the program|Exit the program.");
    AppExit->SetShortCut(scAlt | 'X');
    AppExit->SetActionList(ActionList1);
    AppExit->OnExecute = [this](TObject&) { Close(); };

    StatusBarEx1 = new TStatusBar(this);
    StatusBarEx1->SetName("StatusBarEx1");
    StatusBarEx1->SetParent(this);
    StatusBarEx1->SetBounds(0, 421, 440, 19);
    StatusBarEx1->SetAutoHint(true);
    NimbraFrame1 = new TNimbraFrame(this);
    NimbraFrame1->SetParent(this);
    NimbraFrame1->SetAlign(alClient);
    CreateMenu();
    SetActiveControl(NimbraFrame1->Edit1);

    NewLocalizer1 = new TNewLocalizer(this);
    NewLocalizer1->SetName("NewLocalizer1");
    NewLocalizer1->SetForceFrameSave(true);
    FinishLoading(*this);
}

void TNimbraApp::CreateMenu() {
    MainMenu1 = new TMainMenu(this);
    MainMenu1->SetName("MainMenu1");
    // The main menu's hot keys are chosen by hand.
    MainMenu1->Items()->SetAutoHotkeys(false);
    const auto submenu = [this](TMenuItem& parent, const char* name, const char* caption,
                                const char* hint) {
        auto* item = new TMenuItem(this);
        item->SetName(name);
        item->SetCaption(caption);
        item->SetHint(hint);
        item->SetAutoHotkeys(false);
        parent.Add(item);
        return item;
    };
    // Each frame command shows here through an action linked to it.
    const auto link = [this](TMenuItem& menu, const char* name, TAction* target) {
        auto* item = new TMenuItem(this);
        if (target == nullptr) {
            item->SetCaption("-");
        } else {
            auto* linked = new TMyLinkedAction(this);
            linked->SetName(name);
            linked->SetActionList(ActionList1);
            linked->SetLink(target);
            item->SetAction(linked);
        }
        menu.Add(item);
    };
    TNimbraFrame& f = *NimbraFrame1;
    TMenuItem& file =
        *submenu(*MainMenu1->Items(), "FileMenu", "&File", "!App.Dialogs.MainMenu.File");
    link(file, "OpenAction", f.CmdRun);
    link(file, "ShowParentFolder", f.ShowMenuContainer);
    link(file, "ShowContainer", f.ShowContainer);
    link(file, "", nullptr);
    link(file, "ExplorerMenu", f.ExplorerMenu);
    link(file, "ShowProps", f.ShowShellProperties);
    link(file, "", nullptr);
    auto* exit = new TMenuItem(this);
    exit->SetAction(AppExit);
    file.Add(exit);

    TMenuItem& view =
        *submenu(*MainMenu1->Items(), "ViewMenu", "&View", "!App.Dialogs.MainMenu.View");
    IncludeFoldersItem =
        submenu(view, "IncludeFoldersItem", "&Include folders",
                "!App.Dialogs.Nimbra.FoldersMenu|Select the folders you would like to search.");
    TMenuItem& recent = *submenu(view, "RecentItem", "&Show items added/modified in",
                                 "!App.Dialogs.Nimbra.RecentMenu|Filter search results by date.");
    link(recent, "RecentLastDay", f.RecentLastDay);
    link(recent, "RecentLastWeek", f.RecentLastWeek);
    link(recent, "RecentLastMonth", f.RecentLastMonth);
    link(recent, "RecentLastYear", f.RecentLastYear);
    link(recent, "", nullptr);
    link(recent, "RecentCustom", f.RecentCustom);
    link(recent, "RecentCustomSelect", f.RecentCustomSelect);
    link(recent, "", nullptr);
    link(recent, "RecentAll", f.RecentAll);
    link(view, "", nullptr);
    link(view, "AutoScroll", f.AutoScroll);
    link(view, "AutoMinimize", f.AutoMinimize);
    link(view, "", nullptr);
    link(view, "ViewHeader", f.ViewHeader);
    link(view, "ViewToolbar", f.ViewToolbar);
    SetMenu(MainMenu1);

    f.OnIncludeMenuUpdate = [this](TObject&) { NimbraFrame1->FillFolderMenu(*IncludeFoldersItem); };
    f.FillFolderMenu(*IncludeFoldersItem);
}

const TClassInfo& TNimbraApp::StaticClassInfo() {
    static const TClassInfo info("TNimbraApp", &TForm::StaticClassInfo());
    return info;
}

}  // namespace nimbra
