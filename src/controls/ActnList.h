#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/Classes.h"
#include "controls/ShortCuts.h"

namespace nimbra {

// An event whose handler only needs to know who raised it.
using TNotifyEvent = std::function<void(TObject& sender)>;

class TBasicAction;
class TActionList;

// What shows an action (a control, a menu item, an action linked to it):
// told after every change of the action's state, and when it goes.
class TActionClient {
  public:
    virtual void ActionChanged(TBasicAction& action) = 0;
    virtual void ActionDestroying(TBasicAction& action) = 0;

  protected:
    ~TActionClient() = default;
};

// A command with an execute and an update handler; the clients that show it
// follow its state.
class TBasicAction : public TComponent {
  public:
    explicit TBasicAction(TComponent* owner);
    ~TBasicAction() override;

    // Runs the command; false when nothing ran it.
    virtual bool Execute();
    // Lets the update handler refresh the state; false when there is none.
    virtual bool Update();

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

    void RegisterClient(TActionClient* client);
    void UnregisterClient(TActionClient* client);

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    // Tells every client that the state changed.
    void Change();

  private:
    std::vector<TActionClient*> clients_;
};

// An action with the state menus, buttons and the keyboard show: caption,
// hint ("short|long"), shortcut, check mark, enabled and visible flags and
// an image.
class TAction : public TBasicAction {
  public:
    explicit TAction(TComponent* owner);
    ~TAction() override;

    TActionList* ActionList() const { return actionList_; }
    void SetActionList(TActionList* list);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut);
    bool Checked() const { return checked_; }
    virtual void SetChecked(bool checked);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Executing the action flips its check mark first.
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool autoCheck);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    // Checked actions of one group (above 0) in one list exclude each other.
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context);

    // Updates, then (when enabled) flips an auto-check mark and runs the
    // execute handler. False when the action is disabled.
    bool Execute() override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    // Runs the command itself, after the check mark flipped.
    virtual void DoExecute();

  private:
    void UncheckGroup();

    TActionList* actionList_ = nullptr;
    std::string caption_;
    std::string hint_;
    TShortCut shortCut_ = 0;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool autoCheck_ = false;
    int imageIndex_ = -1;
    int groupIndex_ = 0;
    int helpContext_ = 0;
};

class TCustomImageList;

// The actions of one window or frame: found by shortcut for the keyboard and
// updated together when the program is idle.
class TActionList : public TComponent {
  public:
    explicit TActionList(TComponent* owner);
    ~TActionList() override;

    int ActionCount() const { return static_cast<int>(actions_.size()); }
    TAction* Actions(int index) const { return actions_.at(static_cast<std::size_t>(index)); }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);

    // The enabled, visible action bound to the combination, updated first;
    // nullptr when there is none.
    TAction* FindShortCut(TShortCut shortCut) const;
    // Runs the update handler of every action.
    void UpdateActions() const;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    friend class TAction;
    void AddAction(TAction* action);
    void RemoveAction(TAction* action);

    std::vector<TAction*> actions_;
    TCustomImageList* images_ = nullptr;
};

// An action that mirrors another one (`Link`): it shows the target's state
// and runs the target's handlers, so that a window's menu can offer the
// commands of a frame while their state and code stay in the frame. A change
// of its own check mark is written back to the target.
class TMyLinkedAction : public TAction, private TActionClient {
  public:
    explicit TMyLinkedAction(TComponent* owner);
    ~TMyLinkedAction() override;

    TAction* Link() const { return link_; }
    // Copies the target's state and follows it from then on. While the
    // owner is being loaded, a caption, hint or shortcut of its own is kept.
    void SetLink(TAction* link);
    // Keeps the action's own image instead of the target's.
    bool CustomImage() const { return customImage_; }
    void SetCustomImage(bool customImage) { customImage_ = customImage; }

    void SetChecked(bool checked) override;
    bool Update() override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    void DoExecute() override;
    void Notification(TComponent* component, TOperation operation) override;

  private:
    void ActionChanged(TBasicAction& action) override;
    void ActionDestroying(TBasicAction& action) override;
    void CopyFromLink(bool initial);

    TAction* link_ = nullptr;
    bool customImage_ = false;
    bool writingBack_ = false;
};

// Hints hold a short and a long text separated by "|": the short one for
// tips, the long one for the status bar. Without a bar both are the whole
// text.
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);
// What the status bar shows for a hint: its long text, except that a hint
// naming a help topic ("!Topic", or "!Topic|text") shows only the text after
// the bar.
std::string StatusBarHint(const std::string& hint);

}  // namespace nimbra
