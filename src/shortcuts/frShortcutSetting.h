#pragma once

// Edits one key combination: a box per modifier and a key box that takes a
// plain key (Windows only).
#include "controls/Forms.h"
#include "controls/HotKeyEdit.h"
#include "controls/ShortCuts.h"
#include "controls/StdCtrls.h"

namespace nimbra {

class TShortcutSettingFrame : public TFrame {
  public:
    explicit TShortcutSettingFrame(TComponent* owner);

    TCheckBox* chkShift = nullptr;
    TCheckBox* chkCtrl = nullptr;
    TCheckBox* chkAlt = nullptr;
    TCheckBox* chkWin = nullptr;
    THotKey* HotKey1 = nullptr;

    // The key of the key box with the modifiers of the four boxes.
    TShortCut ShortCut() const;
    // Writes the boxes without raising OnChange.
    void SetShortCut(TShortCut value);
    // Raised when the user changes a box or the key.
    TNotifyEvent OnChange;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    // Enabling the frame enables every control in it.
    void Changed(TControlChange change) override;

  private:
    void UserChanged();
    bool setting_ = false;
};

}  // namespace nimbra
