// The include menu, the folder monitors and the debounced rescan.
#include <windows.h>

#include "base/WaitCursor.h"
#include "controls/Timer_win.h"
#include "folders/NimbraCustomFolders.h"
#include "folders/NimbraFoldersCfg.h"
#include "search/frNimbra.h"
#include "shell/MyFolderMonitor.h"
#include "utils/MiscUtils.h"
#include "utils/NewLangUtilsTexts.h"

namespace nimbra {

namespace {

// An action's tag names its entry of the folders list: the entry's
// collection ID plus one (0 for a separator), since an entry's address does
// not fit a tag.
int TagOf(const TCustomFolder& folder) {
    return folder.Separator() ? 0 : folder.ID() + 1;
}

TCustomFolder* FolderOfTag(int tag) {
    if (tag <= 0)
        return nullptr;
    return static_cast<TCustomFolder*>(FoldersCfg->Folders()->FindItemID(tag - 1));
}

}  // namespace

void TNimbraFrame::BuildIncludeMenu(bool firstTime) {
    monitors_.clear();
    watchWrites_ = recentActive_;
    TCustomFolders& folders = *FoldersCfg->Folders();
    while (CustomFolderActions->ActionCount() > folders.Count())
        delete CustomFolderActions->Actions(CustomFolderActions->ActionCount() - 1);
    for (int i = 0; i < folders.Count(); ++i) {
        TCustomFolder& folder = *folders.Items(i);
        if (i >= CustomFolderActions->ActionCount()) {
            auto* action = new TAction(this);
            action->SetActionList(CustomFolderActions);
        }
        TAction& action = *CustomFolderActions->Actions(i);
        action.SetTag(TagOf(folder));
        if (!folder.Separator()) {
            action.SetCaption(folder.Title());
            action.SetChecked(folder.Include());
            action.OnExecute = [this](TObject& sender) { CustomFolderActionExecute(sender); };
        }
        if (folder.Include()) {
            for (int p = 0; p < folder.Paths()->Count(); ++p)
                AddMonitor(folder.Paths()->Items(p)->FullPath());
        }
    }
    UpdateIncludeMenus();
    if (!firstTime)
        FoldersCfg->Save();
    UpdateListState();
    UpdateFolderHints();
}

void TNimbraFrame::AddMonitor(const std::string& folder) {
    auto monitor = std::make_unique<TMyFolderMonitor>(nullptr);
    monitor->SetFolder(folder);
    TMyFolderNotifies notifies{fnFileNameChange, fnDirNameChange};
    if (watchWrites_)
        notifies.Include(fnLastWriteChange);
    monitor->SetNotifies(notifies);
    monitor->SetRecursive(true);
    monitor->OnFolderChange = [this](TMyFolderMonitor&) { FolderChanged(); };
    monitor->SetEnabled(true);
    monitors_.push_back(std::move(monitor));
}

void TNimbraFrame::SetWatchWrites(bool on) {
    if (watchWrites_ == on)
        return;
    watchWrites_ = on;
    for (const auto& monitor : monitors_) {
        TMyFolderNotifies notifies = monitor->Notifies();
        if (on)
            notifies.Include(fnLastWriteChange);
        else
            notifies.Exclude(fnLastWriteChange);
        monitor->SetNotifies(notifies);
    }
}

void TNimbraFrame::UpdateIncludeMenus() {
    FillFolderMenu(*IncludeMenu->Items());
    FillFolderMenu(*ListIncludeItem);
    if (OnIncludeMenuUpdate)
        OnIncludeMenuUpdate(*this);
}

void TNimbraFrame::FillFolderMenu(TMenuItem& item) {
    item.SetVisible(true);
    item.Clear();
    // The "&" in folder titles are used as the user wrote them.
    item.SetAutoHotkeys(false);
    item.SetAutoLineReduction(false);
    const auto add = [&](TAction* action) {
        auto* sub = new TMenuItem(nullptr);
        if (action != nullptr)
            sub->SetAction(action);
        else
            sub->SetCaption("-");
        item.Add(sub);
    };
    for (int i = 0; i < CustomFolderActions->ActionCount(); ++i) {
        TAction* action = CustomFolderActions->Actions(i);
        add(action->Tag() != 0 ? action : nullptr);
    }
    if (CustomFolderActions->ActionCount() > 0)
        add(nullptr);
    add(QuickAddFolder);
    add(CustomizeFolders);
}

// With nothing watched, the list has nothing to show and says so by its
// colour; the input box still works.
void TNimbraFrame::UpdateListState() {
    const bool watching = !monitors_.empty();
    ListView1->SetEnabled(watching);
    ListView1->SetColor(watching ? clWindow : clBtnFace);
}

void TNimbraFrame::UpdateFolderHints() {
    const std::string format = GetLocalizedString(CodeText("Nimbra", "IncludeExcludeHint"));
    for (int i = 0; i < CustomFolderActions->ActionCount(); ++i) {
        TAction& action = *CustomFolderActions->Actions(i);
        if (action.Tag() == 0)
            continue;
        std::string hint = format;
        if (const std::size_t at = hint.find("%s"); at != std::string::npos)
            hint.replace(at, 2, StripHotkey(action.Caption()));
        action.SetHint(hint);
    }
}

void TNimbraFrame::CustomFolderActionExecute(TObject& sender) {
    if (TCustomFolder* folder = FolderOfTag(static_cast<TAction&>(sender).Tag())) {
        folder->SetInclude(!folder->Include());
        ShowStartMenuExecute();
    }
}

void TNimbraFrame::ShowStartMenuExecute() {
    const TWaitCursor wait;
    BuildIncludeMenu(false);
    Refresh(true);
}

void TNimbraFrame::ApplyFoldersChange() {
    const TWaitCursor wait;
    FoldersCfg->Save();
    ShowStartMenuExecute();
}

// A burst of changes costs one rescan, about a second after its first
// change: the timer is not restarted while it runs.
void TNimbraFrame::FolderChanged() {
    rescanPending_ = true;
    Timer1->SetEnabled(true);
}

void TNimbraFrame::TimerStep() {
    if (rescanPending_) {
        rescanPending_ = false;
        Refresh(true);
    }
    Timer1->SetEnabled(rescanPending_);
}

}  // namespace nimbra
