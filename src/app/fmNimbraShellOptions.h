#pragma once

// The program's "Shell" page: the shortcut boxes and the splash screen
// switch (Windows only).
#include "app/frShellOptions.h"

namespace nimbra {

class TNimbraShellOptions : public TShellOptionsPageFrame {
  public:
    explicit TNimbraShellOptions(TComponent* owner);

    TCheckBox* chkSplash = nullptr;

    void LoadSettings() override;
    void SaveSettings() override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

}  // namespace nimbra
