#include "controls/HotKeyEdit.h"

namespace nimbra {

THotKey::THotKey(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
}

void THotKey::SetKey(std::uint16_t key) {
    if (key_ == key)
        return;
    key_ = key;
    Changed(TControlChange::State);
}

void THotKey::KeyChangedByUser(std::uint16_t key) {
    if (key_ == key)
        return;
    key_ = key;
    if (OnChange)
        OnChange(*this);
}

const TClassInfo& THotKey::StaticClassInfo() {
    static const TClassInfo info("THotKey", &TWinControl::StaticClassInfo());
    return info;
}

}  // namespace nimbra
