#pragma once

#include <functional>
#include <string>

#include "controls/Controls.h"
#include "controls/StdCtrls.h"

namespace nimbra {

class TMainMenu;
class TCustomForm;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow };
const TTypeInfo& EnumTypeInfo(TFormBorderStyle);
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = Set<TBorderIcon>;
const TTypeInfo& EnumTypeInfo(TBorderIcon);
enum TPosition { poDesigned, poDefault, poScreenCenter, poOwnerFormCenter };
const TTypeInfo& EnumTypeInfo(TPosition);
enum TCloseAction { caNone, caHide, caFree, caMinimize };

// A component of a form that acts when the form's window is made (before
// the form is placed and laid out) and before it goes: stored placement,
// the form's font.
class TFormHook {
  public:
    virtual void FormWindowCreated(TCustomForm& form) = 0;
    virtual void FormWindowDestroying(TCustomForm& form) = 0;

  protected:
    ~TFormHook() = default;
};

// A top-level window built from its components. Its client size is designed
// in 96-dpi pixels; its window belongs to the window layer, which also shows
// it, runs it modally and closes it (those operations exist on Windows only).
class TCustomForm : public TWinControl {
  public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons) { borderIcons_ = icons; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    // The client area as designed.
    void SetClientSize(int width, int height);
    // A window of its own with a task-bar button, rather than one owned by
    // the main window.
    bool ShowInTaskBar() const { return showInTaskBar_; }
    void SetShowInTaskBar(bool value) { showInTaskBar_ = value; }

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnDestroy;
    std::function<void(TObject& sender, TCloseAction& action)> OnClose;
    std::function<void(TObject& sender, bool& canClose)> OnCloseQuery;

    // Runs `visit` for every component of the form that is a TFormHook.
    void ForEachHook(const std::function<void(TFormHook&)>& visit);

    // Asks OnCloseQuery; true when the window may close.
    bool CloseQuery();
    // The action OnClose chose (caHide unless changed).
    TCloseAction DoClose();

    // The window layer's operations (Windows only).
    // Makes the window, placed and laid out, without showing it.
    void HandleNeeded();
    void Show();
    void Hide();
    TModalResult ShowModal();
    void Close();
    // Frees the form once the message loop is back outside its handlers.
    void Release();
    bool Active() const;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TPosition position_ = poDefault;
    bool showInTaskBar_ = false;
    TWinControl* activeControl_ = nullptr;
    TModalResult modalResult_ = mrNone;
    TMainMenu* menu_ = nullptr;
};

class TForm : public TCustomForm {
  public:
    using TCustomForm::TCustomForm;
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

// A reusable part of a window: a container with components of its own,
// placed on a form (or another frame) which owns it.
class TFrame : public TWinControl {
  public:
    explicit TFrame(TComponent* owner);
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

// A holder of non-visual components.
class TDataModule : public TComponent {
  public:
    using TComponent::TComponent;
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

// Ends the building of a window, frame or data module made in code: every
// component it owns (and theirs) is told it was loaded, then the root, as
// after reading a stored form. A window's localizer takes the program's
// language here.
void FinishLoading(TComponent& root);

// The form a control sits in (through its parents), or nullptr.
TCustomForm* GetParentForm(const TControl& control);

// The enabled, visible action bound to a key combination among the action
// lists of `root` and of the components it owns (frames included), or
// nullptr. Each candidate is updated before it counts.
TAction* FindShortCutAction(const TComponent& root, TShortCut shortCut);
// Runs the update handlers of every action list of `root` and of what it
// owns.
void UpdateAllActions(const TComponent& root);

}  // namespace nimbra
