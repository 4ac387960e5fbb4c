#pragma once

// A choice among the radio buttons that share a parent.
#include "controls/StdCtrls.h"

namespace nimbra {

class TRadioButton : public TCheckBox {
  public:
    explicit TRadioButton(TComponent* owner);

    // Ticks this button and clears the other radio buttons of its parent.
    void Check();
    // The user clicked it: Check, then OnClick (or the action).
    void Select();

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

}  // namespace nimbra
