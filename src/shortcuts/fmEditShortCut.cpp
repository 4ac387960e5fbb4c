#include "shortcuts/fmEditShortCut.h"

#include <memory>

#include "shortcuts/AppShortcuts.h"
#include "shortcuts/frShortcutSetting.h"
#include "utils/WindowPlacement.h"

namespace nimbra {

TEditShortCutDialog::TEditShortCutDialog(TComponent* owner)
    : TPageDialog(owner, "EditShortCutDialog", "Edit keyboard shortcut", "Keyboard shortcut", 430,
                  230) {
    SetHint("!App.Dialogs.Options.Keys.EditShortcut");
    const int width = TabSheet1->Width() - 16;
    ActionLabel = MakeControl<TLabel>(this, TabSheet1, "ActionLabel", Bounds(8, 10, 60, 13));
    ActionLabel->SetCaption("Action:");
    DescriptionLabel =
        MakeControl<TLabel>(this, TabSheet1, "DescriptionLabel", Bounds(72, 10, width - 64, 13));
    DescriptionLabel->SetAnchors({akLeft, akTop, akRight});
    GroupBox1 = MakeControl<TGroupBox>(this, TabSheet1, "GroupBox1", Bounds(8, 32, width, 72));
    GroupBox1->SetAnchors({akLeft, akTop, akRight});
    KeysLabel = MakeControl<TLabel>(this, GroupBox1, "KeysLabel", Bounds(12, 20, width - 24, 13));
    KeysLabel->SetCaption("Specify keys to activate this action");
    ShortcutSettingFrame1 = new TShortcutSettingFrame(this);
    ShortcutSettingFrame1->SetParent(GroupBox1);
    ShortcutSettingFrame1->SetBounds(12, 38, width - 24, 25);
    ShortcutSettingFrame1->SetAnchors({akLeft, akTop, akRight});
    ShortcutSettingFrame1->SetHint(
        "Check whether Shift, Ctrl, Alt or Win keys should be hold down, when you press a key "
        "specified in the box.");
    EnabledCheck =
        MakeControl<TCheckBox>(this, TabSheet1, "EnabledCheck", Bounds(8, 114, width, 17));
    EnabledCheck->SetCaption("&Enabled");
    EnabledCheck->SetHint("Enable/disable this keyboard shortcut.");
    EnabledCheck->OnClick = [this](TObject&) { UpdateEnabling(); };
    FinishDialog();
}

void TEditShortCutDialog::UpdateEnabling() {
    ShortcutSettingFrame1->SetEnabled(EnabledCheck->Checked());
    KeysLabel->SetEnabled(EnabledCheck->Checked());
}

void TEditShortCutDialog::Load(const TAppShortCut& item) {
    DescriptionLabel->SetCaption(item.Description());
    EnabledCheck->SetChecked(item.Enabled());
    ShortcutSettingFrame1->SetShortCut(item.ShortCut());
    UpdateEnabling();
    SetActiveControl(EnabledCheck);
}

void TEditShortCutDialog::Store(TAppShortCut& item) const {
    item.SetEnabledShortCut(EnabledCheck->Checked(), ShortcutSettingFrame1->ShortCut());
}

const TClassInfo& TEditShortCutDialog::StaticClassInfo() {
    static const TClassInfo info("TEditShortCutDialog", &TPageDialog::StaticClassInfo());
    return info;
}

bool EditShortCut(TAppShortCut& item) {
    const auto dialog = std::make_unique<TEditShortCutDialog>(nullptr);
    dialog->Load(item);
    if (dialog->ShowModal() != mrOk)
        return false;
    dialog->Store(item);
    return true;
}

}  // namespace nimbra
