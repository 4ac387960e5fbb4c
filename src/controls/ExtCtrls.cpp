#include "controls/ExtCtrls.h"

namespace nimbra {

const TTypeInfo& EnumTypeInfo(TBevelCut) {
    static const TTypeInfo info =
        MakeEnumTypeInfo("TBevelCut", {"bvNone", "bvLowered", "bvRaised"});
    return info;
}

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {}

void TPanel::SetBevelOuter(TBevelCut bevel) {
    if (bevelOuter_ == bevel)
        return;
    bevelOuter_ = bevel;
    Changed(TControlChange::State);
}

const TClassInfo& TPanel::StaticClassInfo() {
    using T = TPanel;
    static const TClassInfo info(
        "TPanel", &TWinControl::StaticClassInfo(),
        {Published("BevelOuter", &T::BevelOuter, &T::SetBevelOuter, bvNone),
         Published("Caption", &T::Caption, &T::SetCaption)});
    return info;
}

TImage::TImage(TComponent* owner) : TControl(owner) {}

void TImage::SetIconName(const std::string& name) {
    if (iconName_ == name)
        return;
    iconName_ = name;
    Changed(TControlChange::State);
}

const TClassInfo& TImage::StaticClassInfo() {
    static const TClassInfo info("TImage", &TControl::StaticClassInfo());
    return info;
}

}  // namespace nimbra
