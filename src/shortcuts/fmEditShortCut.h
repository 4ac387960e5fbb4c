#pragma once

// The dialog that edits one application shortcut (Windows only).
#include "utils/fmPageDialog.h"

namespace nimbra {

class TAppShortCut;
class TShortcutSettingFrame;

class TEditShortCutDialog : public TPageDialog {
  public:
    explicit TEditShortCutDialog(TComponent* owner);

    TLabel* ActionLabel = nullptr;
    TLabel* DescriptionLabel = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel* KeysLabel = nullptr;
    TShortcutSettingFrame* ShortcutSettingFrame1 = nullptr;
    TCheckBox* EnabledCheck = nullptr;

    void Load(const TAppShortCut& item);
    // Gives the item the dialog's state and combination at once.
    void Store(TAppShortCut& item) const;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    // The combination can be edited only while the shortcut is enabled.
    void UpdateEnabling();
};

// Edits `item` in the dialog; true when it was closed with OK (the item
// then has the new values: a copy only takes them, a live item stores and
// re-registers).
bool EditShortCut(TAppShortCut& item);

}  // namespace nimbra
