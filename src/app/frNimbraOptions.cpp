#include "app/frNimbraOptions.h"

#include "folders/NimbraCustomFolders.h"
#include "folders/NimbraFoldersCfg.h"
#include "folders/fmCustomFolders.h"
#include "utils/NimbraCfg.h"
#include "utils/WindowPlacement.h"

namespace nimbra {

namespace {
constexpr int kGroupLeft = 8;
constexpr int kGroupWidth = 410;
constexpr int kGroupHeight = 68;
}  // namespace

TNimbraOptionsFrame::TNimbraOptionsFrame(TComponent* owner) : TOptionsPageFrame(owner) {
    TitleLabel = InitPage("NimbraOptionsFrame", "Nimbra options");
    SetHint("Nimbra options|!App.Dialogs.Options.Nimbra");
    const auto group = [this](const char* name, const char* caption, int top) {
        auto* box = MakeControl<TGroupBox>(this, this, name,
                                           Bounds(kGroupLeft, top, kGroupWidth, kGroupHeight));
        box->SetCaption(caption);
        box->SetAnchors({akLeft, akTop, akRight});
        return box;
    };
    const auto check = [this](TGroupBox* box, const char* name, const char* caption, int top) {
        auto* c = MakeControl<TCheckBox>(this, box, name, Bounds(12, top, kGroupWidth - 24, 17));
        c->SetCaption(caption);
        c->SetAnchors({akLeft, akTop, akRight});
        return c;
    };
    GroupBox1 = group("GroupBox1", " Window animation ", 30);
    chkRestore = check(GroupBox1, "chkRestore", "Animated &activation", 20);
    chkMinimize = check(GroupBox1, "chkMinimize", "Animated &minimization", 42);
    // The search group has the animation group's height while its button
    // stays hidden.
    GroupBox2 = group("GroupBox2", " Search options ", 30 + kGroupHeight + 8);
    chkAutoMinimize =
        check(GroupBox2, "chkAutoMinimize", "Auto-m&inimize on search result launch", 20);
    chkAutoScroll = check(GroupBox2, "chkAutoScroll", "Auto-&scroll to first match", 42);
    Button1 = MakeControl<TButton>(this, GroupBox2, "Button1", Bounds(12, 66, 180, 25));
    Button1->SetCaption("&Customize folders menu...");
    Button1->SetVisible(false);
    Button1->OnClick = [this](TObject&) {
        if (folders_ != nullptr && EditCustomFolders(*folders_))
            foldersEdited_ = true;
    };
}

TNimbraOptionsFrame::~TNimbraOptionsFrame() = default;

void TNimbraOptionsFrame::LoadSettings() {
    if (ShellCfg != nullptr) {
        chkRestore->SetChecked(ShellCfg->AnimateRestore());
        chkMinimize->SetChecked(ShellCfg->AnimateMinimize());
    }
    if (FoldersCfg != nullptr) {
        chkAutoMinimize->SetChecked(FoldersCfg->AutoMinimize());
        chkAutoScroll->SetChecked(FoldersCfg->AutoScroll());
        folders_ = std::make_unique<TCustomFolders>();
        folders_->Assign(*FoldersCfg->Folders());
    }
    foldersEdited_ = false;
}

void TNimbraOptionsFrame::SaveSettings() {
    if (ShellCfg != nullptr) {
        ShellCfg->SetAnimateRestore(chkRestore->Checked());
        ShellCfg->SetAnimateMinimize(chkMinimize->Checked());
    }
    if (FoldersCfg != nullptr) {
        FoldersCfg->SetAutoMinimize(chkAutoMinimize->Checked());
        FoldersCfg->SetAutoScroll(chkAutoScroll->Checked());
        if (foldersEdited_ && folders_ != nullptr) {
            FoldersCfg->Folders()->Assign(*folders_);
            FoldersCfg->SetFoldersChanged(true);
        }
    }
    foldersEdited_ = false;
}

const TClassInfo& TNimbraOptionsFrame::StaticClassInfo() {
    static const TClassInfo info("TNimbraOptionsFrame", &TOptionsPageFrame::StaticClassInfo());
    return info;
}

}  // namespace nimbra
