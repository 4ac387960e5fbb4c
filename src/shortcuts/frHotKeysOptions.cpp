#include "shortcuts/frHotKeysOptions.h"

#include "shortcuts/AppShortcuts.h"
#include "shortcuts/fmEditShortCut.h"
#include "shortcuts/frAppShortCutsView.h"
#include "utils/WindowPlacement.h"

namespace nimbra {

namespace {
constexpr unsigned kF2 = 0x71;
}

THotKeysOptionsPageFrame::THotKeysOptionsPageFrame(TComponent* owner)
    : TOptionsPageFrame(owner), shortCuts_(std::make_unique<TAppShortCuts>()) {
    TitleLabel = InitPage("HotKeysOptionsPageFrame", "Keyboard shortcuts");
    SetHint("Application keyboard shortcuts.|!App.Dialogs.Options.Keys");
    constexpr int kWidth = kPageWidth - 16;
    Label1 = MakeControl<TLabel>(this, this, "Label1", Bounds(8, 30, kWidth, 13));
    Label1->SetCaption("This is a list of application keyboard shortcuts");
    AppShortCutsView1 = new TAppShortCutsView(this);
    AppShortCutsView1->SetParent(this);
    AppShortCutsView1->SetBounds(8, 48, kWidth, kPageHeight - 48 - 41);
    AppShortCutsView1->SetAnchors({akLeft, akTop, akRight, akBottom});

    ActionList1 = new TActionList(this);
    ActionList1->SetName("ActionList1");
    CmdEdit = new TAction(this);
    CmdEdit->SetName("CmdEdit");
    CmdEdit->SetCaption("Ch&ange...");
    CmdEdit->SetHint("Edit shortcut properties.");
    CmdEdit->SetShortCut(kF2);
    CmdEdit->SetActionList(ActionList1);
    CmdEdit->OnUpdate = [this](TObject&) {
        CmdEdit->SetEnabled(Showing() && AppShortCutsView1->HasSelection());
    };
    CmdEdit->OnExecute = [this](TObject&) { EditSelected(); };

    EditButton =
        MakeControl<TButton>(this, this, "EditButton", Bounds(8, kPageHeight - 33, 100, 25));
    EditButton->SetAnchors({akLeft, akBottom});
    EditButton->SetAction(CmdEdit);
    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    auto* item = new TMenuItem(this);
    item->SetName("EditItem");
    item->SetAction(CmdEdit);
    PopupMenu1->Items()->Add(item);
    AppShortCutsView1->ListView1->SetPopupMenu(PopupMenu1);

    AppShortCutsView1->OnDblClick = [this](TObject&) { EditSelected(); };
    AppShortCutsView1->OnEnabledChange = [this](TObject&, TAppShortCut& shortCut, bool enabled) {
        shortCut.SetEnabled(enabled);
        modified_ = true;
    };
}

THotKeysOptionsPageFrame::~THotKeysOptionsPageFrame() {
    AppShortCutsView1->SetShortCuts(nullptr);
}

void THotKeysOptionsPageFrame::EditSelected() {
    TAppShortCut* selected = AppShortCutsView1->Selected();
    if (selected != nullptr && EditShortCut(*selected))
        modified_ = true;
}

void THotKeysOptionsPageFrame::LoadSettings() {
    TAppShortCutsCfg* cfg = AppShortCutsCfg();
    if (cfg == nullptr)
        return;
    cfg->LoadFromManager();
    shortCuts_->Assign(cfg->ShortCuts());
    AppShortCutsView1->SetShortCuts(shortCuts_.get());
    modified_ = false;
}

void THotKeysOptionsPageFrame::SaveSettings() {
    TAppShortCutsCfg* cfg = AppShortCutsCfg();
    if (!modified_ || cfg == nullptr)
        return;
    cfg->Assign(*shortCuts_);
    cfg->Apply();
    modified_ = false;
}

const TClassInfo& THotKeysOptionsPageFrame::StaticClassInfo() {
    static const TClassInfo info("THotKeysOptionsPageFrame", &TOptionsPageFrame::StaticClassInfo());
    return info;
}

}  // namespace nimbra
