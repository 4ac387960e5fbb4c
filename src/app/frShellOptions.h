#pragma once

// The options page "Shell": the program's own shortcuts in the start-up
// folder, on the desktop, in the Start menu and in Quick Launch (Windows
// only).
#include <string>

#include "app/frOptionsPage.h"
#include "shell/LnkUtils.h"

namespace nimbra {

class TShellOptionsPageFrame : public TOptionsPageFrame {
  public:
    explicit TShellOptionsPageFrame(TComponent* owner);

    TLabel* TitleLabel = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TCheckBox* chkLoad = nullptr;
    TCheckBox* chkDesktopLink = nullptr;
    TCheckBox* chkStartLink = nullptr;
    TCheckBox* chkQuickLaunch = nullptr;

    void LoadSettings() override;
    void PageActivated() override;
    void SaveSettings() override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    // The name of the shortcut files: the program's name and ".lnk".
    static constexpr const char* kLinkName = "Nimbra.lnk";
    TCheckBox* AddCheck(const char* name, const char* caption);

  private:
    struct TLinkBox {
        TCheckBox* Box;
        TLnkFolder Place;
        const char* Arguments;
    };
    TLinkBox Boxes(int index) const;
    static constexpr int kBoxCount = 4;

    // The shortcut files are looked at only when the page is first shown,
    // and written only if they were.
    bool read_ = false;
    int nextTop_ = 20;
};

}  // namespace nimbra
