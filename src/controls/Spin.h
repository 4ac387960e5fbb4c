#pragma once

#include "controls/StdCtrls.h"

namespace nimbra {

// A whole-number entry with up and down arrows. Typing accepts digits, the
// full stop and backspace; a text that is not a whole number counts as the
// minimum, and the value is always held to the range. The arrows wrap from
// the maximum to the minimum and back.
class TNumericEdit : public TEdit {
  public:
    explicit TNumericEdit(TComponent* owner);

    int MinValue() const { return minValue_; }
    int MaxValue() const { return maxValue_; }
    void SetRange(int minValue, int maxValue);
    int Value() const;
    void SetValue(int value);
    // What the arrows do.
    void StepUp();
    void StepDown();

    // Whether a typed character may go into the box.
    static bool AcceptsChar(char32_t key);

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    int minValue_ = 0;
    int maxValue_ = 100;
};

}  // namespace nimbra
