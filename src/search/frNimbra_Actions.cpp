// The search frame's actions and the commands on the selected result.
#include <windows.h>

#include "base/OsError.h"
#include "controls/Dialogs_win.h"
#include "controls/Forms_win.h"
#include "folders/NimbraFoldersCfg.h"
#include "folders/fmCustomFolderPath.h"
#include "folders/fmCustomFolders.h"
#include "search/ItemCommands.h"
#include "search/frNimbra.h"

#include "help/HelpUtilsEx.h"
#include "shell/ShellBrowserEx_win.h"
#include "utils/NewLangUtilsTexts.h"

namespace nimbra {

TAction* TNimbraFrame::MakeAction(const char* name, const char* caption, const char* hint,
                                  TShortCut shortCut, int imageIndex) {
    auto* action = new TAction(this);
    action->SetName(name);
    action->SetCaption(caption);
    action->SetHint(hint);
    action->SetShortCut(shortCut);
    action->SetImageIndex(imageIndex);
    action->SetActionList(ActionList1);
    return action;
}

void TNimbraFrame::CreateActions() {
    ActionList1 = new TActionList(this);
    ActionList1->SetName("ActionList1");
    ActionList1->SetImages(ActionImages);
    CustomFolderActions = new TActionList(this);
    CustomFolderActions->SetName("CustomFolderActions");

    CmdRun = MakeAction("CmdRun", "&Open",
                        "Open the currently selected item|Open the currently selected item.",
                        VK_RETURN, 0);
    CmdRun->OnExecute = [this](TObject&) { CmdRunExecute(); };
    CmdRun->OnUpdate = [this](TObject&) { CmdRunUpdate(); };
    CmdClear = MakeAction("CmdClear", "", "", 0, -1);
    CmdClear->OnExecute = [this](TObject&) {
        Edit1->SetText({});
        Edit1->SetFocus();
    };
    ShowShellProperties = MakeAction("ShowShellProperties", "Shell &properties...",
                                     "Show the selected item properties.", scAlt | VK_RETURN, -1);
    ShowShellProperties->OnExecute = [this](TObject&) {
        if (TProgramMenuItem entry = SelectedEntry(); entry && HoldingFormActive())
            ShowEntryProperties(entry);
    };
    ShowContainer = MakeAction("ShowContainer", "&Find target...",
                               "Show the folder containing the link target.", 0, -1);
    ShowContainer->OnExecute = [this](TObject&) {
        if (TProgramMenuItem entry = SelectedEntry())
            ShowEntryTarget(entry);
    };
    ShowMenuContainer = MakeAction("ShowMenuContainer", "Show p&arent folder...",
                                   "Show the parent folder of the selected item.", 0, -1);
    ShowMenuContainer->OnExecute = [this](TObject&) {
        if (TProgramMenuItem entry = SelectedEntry())
            ShowEntryParentFolder(entry);
    };
    ExplorerMenu = MakeAction("ExplorerMenu", "Shell cont&ext menu...",
                              "Show the selected item shell context menu.", 0, -1);
    ExplorerMenu->OnExecute = [this](TObject&) { ExplorerMenuExecute(); };
    for (TAction* action : {ShowShellProperties, ShowContainer, ShowMenuContainer, ExplorerMenu})
        action->OnUpdate = [this](TObject& sender) { ItemActionUpdate(sender); };

    ViewToolbar = MakeAction("ViewToolbar", "Show &toolbar", "Show/hide toolbar.", 0, -1);
    ViewHeader = MakeAction("ViewHeader", "Show h&eader", "Show/hide header.", 0, -1);
    for (TAction* action : {ViewToolbar, ViewHeader}) {
        action->SetAutoCheck(true);
        action->OnExecute = [this](TObject&) { ApplyViewState(); };
    }
    ShowHelp = MakeAction("ShowHelp", "Help", "Show help|Show help.", 0, 3);
    ShowHelp->OnUpdate = [this](TObject&) { ShowHelp->SetEnabled(HasHelpViewer()); };
    ShowHelp->OnExecute = [this](TObject&) { nimbra::ShowHelp(ContextTopicOf(this)); };
    ShowHelp->SetEnabled(HasHelpViewer());

    AutoScroll = MakeAction(
        "AutoScroll", "A&uto-scroll to first match",
        "Scroll selection automatically to the first search result matching your request.", 0, -1);
    AutoMinimize =
        MakeAction("AutoMinimize", "Auto-minimize on &launch",
                   "Minimize program window automatically on search result launch.", 0, -1);
    AutoScroll->SetAutoCheck(true);
    AutoMinimize->SetAutoCheck(true);
    AutoScroll->OnUpdate = [this](TObject&) { AutoScroll->SetChecked(FoldersCfg->AutoScroll()); };
    AutoMinimize->OnUpdate = [this](TObject&) {
        AutoMinimize->SetChecked(FoldersCfg->AutoMinimize());
    };
    AutoScroll->OnExecute = [this](TObject&) { FoldersCfg->SetAutoScroll(AutoScroll->Checked()); };
    AutoMinimize->OnExecute = [this](TObject&) {
        FoldersCfg->SetAutoMinimize(AutoMinimize->Checked());
    };
    AutoScroll->SetChecked(FoldersCfg->AutoScroll());
    AutoMinimize->SetChecked(FoldersCfg->AutoMinimize());

    CustomizeFolders =
        MakeAction("CustomizeFolders", "&Customize...", "Customize this menu.", 0, -1);
    QuickAddFolder =
        MakeAction("QuickAddFolder", "&Add folder...", "Add custom folder to this menu.", 0, -1);
    CustomizeFolders->OnExecute = [this](TObject&) {
        if (EditCustomFolders(*FoldersCfg->Folders()))
            ApplyFoldersChange();
    };
    QuickAddFolder->OnExecute = [this](TObject&) { QuickAddFolderExecute(); };
    CreateRecentActions();

    RecentButton->SetAction(RecentOnly);
    RecentButton->SetImageIndex(1);
    IncludeButton->SetCaption("&Include");
    IncludeButton->SetHint("Select the folders you would like to search.");
    OpenButton->SetAction(CmdRun);
    HelpButton->SetAction(ShowHelp);
}

// A new entry with one new location; it goes again when the location
// dialog is cancelled (or fails).
void TNimbraFrame::QuickAddFolderExecute() {
    TCustomFolder* folder = FoldersCfg->Folders()->Add();
    TCustomFolderPath* path = folder->Paths()->Add();
    bool accepted = false;
    try {
        accepted = EditCustomFolderPath(*path, true);
    } catch (...) {
        delete folder;
        throw;
    }
    if (!accepted) {
        delete folder;
        return;
    }
    // The first character of the title becomes the menu entry's hot key.
    const std::string title = path->Title();
    folder->SetTitle(title.empty() ? title : "&" + title);
    ApplyFoldersChange();
}

bool TNimbraFrame::HoldingFormActive() const {
    const TCustomForm* form = GetParentForm(*this);
    return form != nullptr && form->Active();
}

TProgramMenuItem TNimbraFrame::SelectedEntry() const {
    return view_ != nullptr ? view_->SelectedItem() : TProgramMenuItem();
}

// Enter launches the selection only while the frame's window is the active
// one: in a dialog of the program it belongs to the dialog.
void TNimbraFrame::CmdRunUpdate() {
    const bool active = HoldingFormActive();
    CmdRun->SetEnabled(static_cast<bool>(SelectedEntry()));
    CmdRun->SetShortCut(active ? VK_RETURN : 0);
}

void TNimbraFrame::CmdRunExecute() {
    if (!HoldingFormActive())
        return;
    const TProgramMenuItem entry = SelectedEntry();
    if (!entry)
        return;
    if (!OpenEntry(entry)) {
        // The list may be older than the disk: say why nothing started.
        const unsigned long error = GetLastError();
        std::string text = GetLocalizedString(CodeText("Nimbra", "OpenFailed"));
        if (const std::size_t at = text.find("%s"); at != std::string::npos)
            text.replace(at, 2, entry.FullPath());
        if (error != 0)
            text += "\n" + SysErrorMessage(error);
        MessageDlg(text, mtError, mbOK);
        return;
    }
    if (FoldersCfg->AutoMinimize()) {
        // As the minimize button does, so the window hides where its
        // minimize rules say.
        if (const TWinPeer* peer = PeerOf(*GetParentForm(*this)))
            SendMessageW(peer->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
}

void TNimbraFrame::ItemActionUpdate(TObject& sender) {
    static_cast<TAction&>(sender).SetEnabled(SelectedEntry() && HoldingFormActive());
}

void TNimbraFrame::ExplorerMenuExecute() {
    const TProgramMenuItem entry = SelectedEntry();
    const TWinPeer* peer = PeerOf(*this);
    if (!entry || peer == nullptr || !ShellBrowserEx1->SetItemPath(entry.FullPath()))
        return;
    POINT at;
    GetCursorPos(&at);
    std::string verb;
    ShellBrowserEx1->ShowContextMenu(at, peer->Handle(), verb, -1);
}

}  // namespace nimbra
