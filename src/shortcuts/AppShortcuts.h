#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "base/Collections.h"
#include "controls/ActnList.h"
#include "controls/ShortCuts.h"

namespace nimbra {

class TAppShortCut;
class TAppShortCutsManager;
class THotKeyReceiver;

// Where the live shortcuts keep their settings: "<Title>.Enabled" and
// "<Title>.ShortCut".
inline constexpr std::string_view kAppShortCutsSection = "AppShortCuts";
// Where a language file translates a shortcut's description, by its title.
inline constexpr std::string_view kKeyboardShortcutsSection = "KeyboardShortcuts";

using TAppShortCutEvent = std::function<void(TAppShortCut& item)>;

// A system-wide key combination of the program with its title, description
// and enabled flag, bound to an action (or, without one, to OnExecute).
// Items of the manager are live: once active they register their hotkey and
// store their settings at every change. Copies (the options dialog's) are
// never active and only hold values.
class TAppShortCut : public TCollectionItem, private TActionClient {
  public:
    explicit TAppShortCut(TCollection* collection);
    ~TAppShortCut() override;

    // Creates a live item in the program's manager, with `description` also
    // as the template its translations start from, then activates it: its
    // stored settings replace `enabled` and `defaultShortCut`, and its hotkey
    // is registered. Raises when the program has no manager.
    static TAppShortCut* CreateEx(const std::string& title, bool enabled, TBasicAction* action,
                                  TShortCut defaultShortCut, const std::string& description);

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    const std::string& Description() const { return description_; }
    void SetDescription(const std::string& value) { description_ = value; }
    const std::string& DescriptionTemplate() const { return descriptionTemplate_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    // Sets both at once: one change, one store and one re-registration.
    void SetEnabledShortCut(bool enabled, TShortCut shortCut);
    std::string ShortCutText() const { return ShortCutToText(shortCut_); }

    // The action the hotkey runs; the item lets go of it when it is freed.
    TBasicAction* Action() const { return action_; }
    void SetAction(TBasicAction* action);
    // Runs on the hotkey when no action is bound.
    TNotifyEvent OnExecute;
    // Called with the item after each translation of its description.
    const TAppShortCutEvent& OnLocalize() const { return onLocalize_; }
    void SetOnLocalize(TAppShortCutEvent handler) { onLocalize_ = std::move(handler); }

    bool Active() const { return active_; }
    bool Destroying() const { return destroying_; }
    // Whether the system took the hotkey the last time it was registered:
    // false while unregistered or disabled, and when another program holds
    // the combination (which is otherwise silent) or it names no key.
    bool IsRegistered() const { return registered_; }

    // Only for an active item: the manager registers the hotkey, and an
    // enabled item shows its combination on the bound action.
    virtual void Register();
    // Only for an active item: the manager removes the hotkey, and the bound
    // action loses its combination (not while the item is being destroyed).
    virtual void Unregister();

    // Copies title, description, combination, enabled flag, action and
    // OnExecute; never the activity, the template or OnLocalize.
    void Assign(const TPersistent& source) override;
    std::string DisplayName() const override { return title_; }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    friend class TAppShortCutsManager;
    void Activate();
    void LoadSettings();
    void StoreSettings() const;
    // A live value changed: store, re-register, then tell the collection.
    void Changed();
    TAppShortCutsManager* Manager() const;
    std::string SettingIdent(std::string_view suffix) const { return title_ + std::string(suffix); }

    void ActionChanged(TBasicAction&) override {}
    void ActionDestroying(TBasicAction& action) override;

    std::string title_;
    bool active_ = false;
    TShortCut shortCut_ = 0;
    bool enabled_ = true;
    std::string description_;
    TBasicAction* action_ = nullptr;
    bool destroying_ = false;
    std::string descriptionTemplate_;
    TAppShortCutEvent onLocalize_;
    bool registered_ = false;
};

// A list of shortcuts. Views follow it through the collection's OnUpdate
// (the changed item, or nullptr when everything changed).
class TAppShortCuts : public TTypedCollection<TAppShortCut> {
  public:
    // The manager whose live items these are; nullptr for copies.
    TAppShortCutsManager* Manager() const { return manager_; }
    // The first item with exactly this title, or nullptr.
    TAppShortCut* FindTitle(std::string_view title) const;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    friend class TAppShortCutsManager;
    TAppShortCutsManager* manager_ = nullptr;
};

// Owns the live shortcuts, registers their hotkeys with the system for a
// hidden window of its own and runs an item when its hotkey arrives.
//
// The program creates one at start-up, before the main window, and frees it
// after the main window has gone; the first manager created is the
// program's (AppShortCutsManager) until it is freed. Created explicitly
// rather than at static initialisation, so that the settings store and the
// error display exist before it, and tests can start and stop it like a run.
class TAppShortCutsManager {
  public:
    TAppShortCutsManager();
    // Frees the window first, which drops every hotkey held for it, then the
    // items.
    ~TAppShortCutsManager();
    TAppShortCutsManager(const TAppShortCutsManager&) = delete;
    TAppShortCutsManager& operator=(const TAppShortCutsManager&) = delete;

    TAppShortCuts& Items() { return *items_; }
    const TAppShortCuts& Items() const { return *items_; }

    // Registers an enabled item's combination under an identifier of the
    // item. A refusal is not an error: the item just records it.
    void RegisterItem(TAppShortCut& item);
    // Removes the item's hotkey, whether or not it was registered.
    void UnregisterItem(TAppShortCut& item);
    // Runs the item's action, or else its OnExecute.
    void Dispatch(TAppShortCut& item);

  private:
    void HotKeyPressed(int id);

    std::unique_ptr<TAppShortCuts> items_;
    std::unique_ptr<THotKeyReceiver> receiver_;
};

// The program's manager, or nullptr when none exists.
TAppShortCutsManager* AppShortCutsManager();

// A copy of the live shortcuts for the options dialog to edit without
// touching the live hotkeys until it is accepted. The first one created is
// the program's (AppShortCutsCfg) until it is freed.
class TAppShortCutsCfg {
  public:
    TAppShortCutsCfg();
    ~TAppShortCutsCfg();
    TAppShortCutsCfg(const TAppShortCutsCfg&) = delete;
    TAppShortCutsCfg& operator=(const TAppShortCutsCfg&) = delete;

    TAppShortCuts& ShortCuts() { return shortCuts_; }
    const TAppShortCuts& ShortCuts() const { return shortCuts_; }

    // The copies := the program's live items (none without a manager).
    void LoadFromManager();
    void Assign(const TAppShortCuts& source);
    // Gives each copy's enabled flag and combination to the first live item
    // with the same title (exact comparison); copies without one are
    // skipped. Only live items whose values differ change.
    void Apply();

  private:
    TAppShortCuts shortCuts_;
};

TAppShortCutsCfg* AppShortCutsCfg();

// While the program's localizer hook exists, every switch of the language
// translates the live items' descriptions (section "KeyboardShortcuts", the
// title as ident, the template as default) and then runs their OnLocalize.
class TAppShortCutsLocalizer {
  public:
    TAppShortCutsLocalizer();
    ~TAppShortCutsLocalizer();
    TAppShortCutsLocalizer(const TAppShortCutsLocalizer&) = delete;
    TAppShortCutsLocalizer& operator=(const TAppShortCutsLocalizer&) = delete;

    // Translates the program's live items now.
    static void Localize();
};

TAppShortCutsLocalizer* AppShortCutsLocalizer();

}  // namespace nimbra
