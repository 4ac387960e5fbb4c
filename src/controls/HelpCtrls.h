#pragma once

// The two controls of the help viewer: a tree of titles and a read-only view
// of rich text with links.
#include <functional>
#include <string>
#include <vector>

#include "controls/Controls.h"

namespace nimbra {

struct TTreeItem {
    std::string Text;
    int Level = 0;  // 0 for the top; an item sits under the last one a level up
};

class TTreeView : public TWinControl {
  public:
    explicit TTreeView(TComponent* owner);

    const std::vector<TTreeItem>& Items() const { return items_; }
    void SetItems(std::vector<TTreeItem> items);
    // Grows with every new list of items, so the window rebuilds only then.
    unsigned ItemsVersion() const { return itemsVersion_; }
    // -1 for none.
    int Selected() const { return selected_; }
    void SetSelected(int index);
    // The user chose another item.
    std::function<void(TTreeView& sender, int index)> OnChange;
    void SelectedByUser(int index);

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    std::vector<TTreeItem> items_;
    unsigned itemsVersion_ = 0;
    int selected_ = -1;
};

// Shows rich text whose links are marked (MarkLinks); a click on a link, or
// on a web or mail address the control finds by itself, reports the target.
class TRichView : public TWinControl {
  public:
    explicit TRichView(TComponent* owner);

    const std::string& RichText() const { return richText_; }
    const std::vector<std::string>& LinkTargets() const { return targets_; }
    void SetContent(std::string richText, std::vector<std::string> linkTargets);

    std::function<void(TRichView& sender, const std::string& target)> OnLinkClick;
    void LinkClicked(const std::string& target);

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    std::string richText_;
    std::vector<std::string> targets_;
};

}  // namespace nimbra
