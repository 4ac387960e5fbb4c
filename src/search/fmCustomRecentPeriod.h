#pragma once

// The dialog that defines the custom period of the date filter (Windows
// only).
#include "controls/Forms.h"
#include "controls/Spin.h"
#include "search/RecentPeriods.h"

namespace nimbra {

class TRecentPeriodDialog : public TForm {
  public:
    explicit TRecentPeriodDialog(TComponent* owner);

    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label1 = nullptr;
    TNumericEdit* ValueEdit = nullptr;
    TComboBox* PeriodList = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

    // Shows the dialog with the values; on OK writes the chosen ones back
    // and answers true.
    static bool Execute(int& value, TRecentPeriod& unit);

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

}  // namespace nimbra
