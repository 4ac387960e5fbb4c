#include "controls/RadioButton.h"

namespace nimbra {

TRadioButton::TRadioButton(TComponent* owner) : TCheckBox(owner) {}

void TRadioButton::Check() {
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            if (auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i));
                other != this && other != nullptr)
                other->SetChecked(false);
        }
    }
    SetChecked(true);
}

void TRadioButton::Select() {
    Check();
    Click();
}

const TClassInfo& TRadioButton::StaticClassInfo() {
    static const TClassInfo info("TRadioButton", &TCheckBox::StaticClassInfo());
    return info;
}

}  // namespace nimbra
