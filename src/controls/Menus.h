#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "controls/ActnList.h"

namespace nimbra {

class TMenu;

// One item of a menu: a command, a separator ("-") or a submenu. An item
// frees its sub-items; it may also be owned by its window for naming.
class TMenuItem : public TComponent, private TActionClient {
  public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // The item a double click (or Enter on the notification icon) runs,
    // drawn in bold.
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    bool IsLine() const { return caption_ == "-"; }

    // Sub-items get "&" marks chosen for them where they have none.
    bool AutoHotkeys() const { return autoHotkeys_; }
    void SetAutoHotkeys(bool on) { autoHotkeys_ = on; }
    // Separators at the ends of the sub-items, and runs of them, are hidden.
    bool AutoLineReduction() const { return autoLineReduction_; }
    void SetAutoLineReduction(bool on) { autoLineReduction_ = on; }

    TBasicAction* Action() const { return action_; }
    void SetAction(TBasicAction* action);
    TNotifyEvent OnClick;
    // Runs OnClick, else the bound action.
    void Click();

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    TMenuItem* Parent() const { return parent_; }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out without freeing it.
    void Remove(TMenuItem* item);
    // Frees the sub-item at the index.
    void Delete(int index);
    // Frees every sub-item.
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    // The menu this item belongs to, through its parents.
    TMenu* Menu() const;

    // The number the window system reports when the item is chosen; unique
    // among the items that exist.
    std::uint16_t Command() const { return command_; }

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    friend class TMenu;
    void ActionChanged(TBasicAction& action) override;
    void ActionDestroying(TBasicAction& action) override;
    void Changed();

    std::string caption_;
    std::string hint_;
    TShortCut shortCut_ = 0;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool default_ = false;
    int imageIndex_ = -1;
    bool autoHotkeys_ = true;
    bool autoLineReduction_ = true;
    TBasicAction* action_ = nullptr;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;
    std::vector<TMenuItem*> items_;
    std::uint16_t command_;
};

class TCustomImageList;

// A menu: a tree of items under an invisible root. The window that shows
// it builds the system menu from the items when the menu opens.
class TMenu : public TComponent {
  public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    TMenuItem* Items() const { return items_; }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    // The item with the command number, searched through the whole tree.
    TMenuItem* FindItem(std::uint16_t command) const;
    // Runs the update handler of every action bound to a sub-item of `item`.
    static void UpdateItemActions(const TMenuItem& item);

    // Raised when an item's caption, state or list changed.
    TNotifyEvent OnChange;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    friend class TMenuItem;
    void ItemChanged();

    TMenuItem* items_;
    TCustomImageList* images_ = nullptr;
};

// The menu bar of a window.
class TMainMenu : public TMenu {
  public:
    using TMenu::TMenu;
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

// A menu shown at a point: a context menu, a drop-down of a button, the
// notification icon's menu.
class TPopupMenu : public TMenu {
  public:
    using TMenu::TMenu;
    // Raised before the menu shows.
    TNotifyEvent OnPopup;
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

// The captions of one menu level as shown: each item without an "&" gets
// one before a letter or digit no other item uses, word starts first;
// separators ("-") and items with a mark of their own are kept.
std::vector<std::string> AssignHotkeys(const std::vector<std::string>& captions);

// Which items of one level show when separators are reduced: no separator
// first, last, or right after another shown separator. `visible` says which
// items are visible at all.
std::vector<bool> ReduceSeparators(const std::vector<std::string>& captions,
                                   const std::vector<bool>& visible);

}  // namespace nimbra
