#pragma once

// The offer, every few months, to look for a new version on the maker's
// site (Windows only). The program itself never goes on the network: "Yes"
// only opens the site in the browser.
#include "controls/Forms.h"
#include "controls/StdCtrls.h"

namespace nimbra {

class TAskForUpdateDialog : public TForm {
  public:
    explicit TAskForUpdateDialog(TComponent* owner);

    TLabel* TextLabel = nullptr;
    TCheckBox* NeverCheck = nullptr;
    TButton* YesButton = nullptr;
    TButton* NoButton = nullptr;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

// Plants the next date or, when it has come, asks; see UpdateCheckDue.
void AskForUpdate(TComponent* owner, int periodDays);

}  // namespace nimbra
