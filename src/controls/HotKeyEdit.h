#pragma once

// A key entry box holding one plain key: a key pressed with Shift, Ctrl,
// Alt or Win held gives the key alone, so modifiers come from elsewhere
// (check boxes beside it).
#include <cstdint>

#include "controls/Controls.h"

namespace nimbra {

class THotKey : public TWinControl {
  public:
    explicit THotKey(TComponent* owner);

    // A virtual-key code; 0 for none.
    std::uint16_t Key() const { return key_; }
    void SetKey(std::uint16_t key);

    // The peer reports a key the user typed.
    void KeyChangedByUser(std::uint16_t key);
    TNotifyEvent OnChange;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    std::uint16_t key_ = 0;
};

}  // namespace nimbra
