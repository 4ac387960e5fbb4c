#include "shortcuts/frShortcutSetting.h"

#include "utils/WindowPlacement.h"

namespace nimbra {

TShortcutSettingFrame::TShortcutSettingFrame(TComponent* owner) : TFrame(owner) {
    SetName("ShortcutSettingFrame1");
    SetBounds(0, 0, 380, 25);
    const auto box = [this](const char* name, const char* caption, int left) {
        auto* check = MakeControl<TCheckBox>(this, this, name, Bounds(left, 4, 58, 17));
        check->SetCaption(caption);
        check->OnClick = [this](TObject&) { UserChanged(); };
        return check;
    };
    chkShift = box("chkShift", "Shift +", 0);
    chkCtrl = box("chkCtrl", "Ctrl +", 62);
    chkAlt = box("chkAlt", "Alt +", 124);
    chkWin = box("chkWin", "Win +", 186);
    HotKey1 = MakeControl<THotKey>(this, this, "HotKey1", Bounds(250, 2, 128, 21));
    HotKey1->SetAnchors({akLeft, akTop, akRight});
    HotKey1->SetKey('A');
    HotKey1->OnChange = [this](TObject&) { UserChanged(); };
}

TShortCut TShortcutSettingFrame::ShortCut() const {
    unsigned modifiers = 0;
    if (chkAlt->Checked())
        modifiers |= kModAlt;
    if (chkCtrl->Checked())
        modifiers |= kModControl;
    if (chkShift->Checked())
        modifiers |= kModShift;
    if (chkWin->Checked())
        modifiers |= kModWin;
    return HotKeyToShortCut(HotKey1->Key(), modifiers);
}

void TShortcutSettingFrame::SetShortCut(TShortCut value) {
    unsigned key = 0;
    unsigned modifiers = 0;
    ShortCutToHotKey(value, key, modifiers);
    setting_ = true;
    HotKey1->SetKey(static_cast<std::uint16_t>(key));
    chkAlt->SetChecked((modifiers & kModAlt) != 0);
    chkCtrl->SetChecked((modifiers & kModControl) != 0);
    chkShift->SetChecked((modifiers & kModShift) != 0);
    chkWin->SetChecked((modifiers & kModWin) != 0);
    setting_ = false;
}

void TShortcutSettingFrame::UserChanged() {
    if (!setting_ && !ComponentState().Contains(csDesigning) && OnChange)
        OnChange(*this);
}

void TShortcutSettingFrame::Changed(TControlChange change) {
    TFrame::Changed(change);
    if (change != TControlChange::Enabled)
        return;
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->SetEnabled(Enabled());
}

const TClassInfo& TShortcutSettingFrame::StaticClassInfo() {
    static const TClassInfo info("TShortcutSettingFrame", &TFrame::StaticClassInfo());
    return info;
}

}  // namespace nimbra
