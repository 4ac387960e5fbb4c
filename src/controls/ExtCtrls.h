#pragma once

#include <string>

#include "controls/Controls.h"

namespace nimbra {

enum TBevelCut { bvNone, bvLowered, bvRaised };
const TTypeInfo& EnumTypeInfo(TBevelCut);

// A plain container, optionally with a caption and a bevelled edge.
class TPanel : public TWinControl {
  public:
    explicit TPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut bevel);

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    TBevelCut bevelOuter_ = bvNone;
};

// A picture from the program's resources: an icon drawn at the control's
// size for the screen's resolution.
class TImage : public TControl {
  public:
    explicit TImage(TComponent* owner);

    // The name of the icon resource.
    const std::string& IconName() const { return iconName_; }
    void SetIconName(const std::string& name);

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    std::string iconName_;
};

}  // namespace nimbra
