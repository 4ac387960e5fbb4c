#pragma once

// The options page "Custom Folder Browser": a program of the user's choice
// that opens folders instead of the shell's folder window. The program
// registers it but keeps it hidden (Windows only).
#include "app/frOptionsPage.h"

namespace nimbra {

class TCustomFolderBrowserOptionsFrame : public TOptionsPageFrame {
  public:
    explicit TCustomFolderBrowserOptionsFrame(TComponent* owner);

    TLabel* TitleLabel = nullptr;
    TLabel* PathLabel = nullptr;
    TEdit* PathEdit = nullptr;
    TLabel* CmdLineLabel = nullptr;
    TEdit* CmdLineEdit = nullptr;

    void LoadSettings() override;
    void SaveSettings() override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

}  // namespace nimbra
