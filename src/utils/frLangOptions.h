#pragma once

// The options page "Language": the language files beside the program, the
// switch applied to every open window on OK (Windows only).
#include "app/frOptionsPage.h"

namespace nimbra {

class TLangOptionsPageFrame : public TOptionsPageFrame {
  public:
    explicit TLangOptionsPageFrame(TComponent* owner);

    TLabel* TitleLabel = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TButton* Button1 = nullptr;

    void PageActivated() override;
    void SaveSettings() override;
    void DialogHidden() override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    // The list is read when the page is first shown in a showing of the
    // dialog; an unread list changes nothing on OK.
    bool filled_ = false;
};

}  // namespace nimbra
