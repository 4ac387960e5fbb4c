#pragma once

// Components that keep a window's place and choose its font (Windows only).
#include <string>

#include "controls/Forms.h"

namespace nimbra {

// Restores the bounds of its form when the form's window is made and
// stores them when it goes, under the form's name in `Section`.
class TAppIniFormPos : public TComponent, public TFormHook {
  public:
    explicit TAppIniFormPos(TComponent* owner);

    const std::string& Section() const { return section_; }
    void SetSection(const std::string& section) { section_ = section; }
    bool StoreSize() const { return storeSize_; }
    void SetStoreSize(bool value) { storeSize_ = value; }
    bool StorePosition() const { return storePosition_; }
    void SetStorePosition(bool value) { storePosition_ = value; }
    bool ValidatePosition() const { return validatePosition_; }
    void SetValidatePosition(bool value) { validatePosition_ = value; }
    bool CenterForm() const { return centerForm_; }
    void SetCenterForm(bool value) { centerForm_ = value; }
    // The first size, as a percentage of the monitor's work area (0-100).
    int InitSize() const { return initSize_; }
    void SetInitSize(int value) { initSize_ = value; }
    TNotifyEvent OnBeforeRestore;

    void SavePosition(TCustomForm& form);
    void RestorePosition(TCustomForm& form);

    void FormWindowCreated(TCustomForm& form) override { RestorePosition(form); }
    void FormWindowDestroying(TCustomForm& form) override { SavePosition(form); }

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    std::string section_ = "View state";
    bool storeSize_ = true;
    bool storePosition_ = true;
    bool validatePosition_ = true;
    bool centerForm_ = true;
    int initSize_ = 0;
};

// Gives its form the first installed font of a list ("Tahoma,MS Sans
// Serif"). The one marked `Global` is the program's default, which the
// others follow when they have no list of their own.
class TAppIniFormFont : public TComponent, public TFormHook {
  public:
    explicit TAppIniFormFont(TComponent* owner);
    ~TAppIniFormFont() override;

    // The list in effect: this component's, or the default's.
    std::string FontList() const;
    void SetFontList(const std::string& list) { fontList_ = list; }
    bool Global() const { return global_; }
    void SetGlobal(bool global);
    bool ForceUpdate() const { return forceUpdate_; }
    void SetForceUpdate(bool value) { forceUpdate_ = value; }
    bool Active() const { return active_; }
    void SetActive(bool value) { active_ = value; }

    void ApplyFont(TCustomForm& form);

    void FormWindowCreated(TCustomForm& form) override;
    void FormWindowDestroying(TCustomForm&) override {}

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    std::string fontList_;
    bool global_ = false;
    bool forceUpdate_ = false;
    bool active_ = true;
};

// The first face of a comma-separated list that the system really gives
// when asked for it; "" when none does.
std::string FirstInstalledFont(const std::string& fontList);

}  // namespace nimbra
