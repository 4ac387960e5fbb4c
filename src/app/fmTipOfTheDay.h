#pragma once

// The tip of the day: one tip of the help at a time, the next on request,
// and the box that switches the tips at start-up off (Windows only).
#include <string>
#include <vector>

#include "controls/Forms.h"
#include "controls/StdCtrls.h"

namespace nimbra {

class TTipOfTheDayDialog : public TForm {
  public:
    TTipOfTheDayDialog(TComponent* owner, std::vector<std::string> tips, int first);

    TLabel* TipLabel = nullptr;
    TCheckBox* ShowAtStartupCheck = nullptr;
    TButton* NextButton = nullptr;
    TButton* CloseButton = nullptr;

    int TipIndex() const { return index_; }

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    void ShowTip(int index);

    std::vector<std::string> tips_;
    int index_ = 0;
};

// In start-up mode only when the tips are switched on. The tips follow one
// another across runs ("Options" "NextTip").
void ShowTipOfTheDay(TComponent* owner, bool startup);

}  // namespace nimbra
