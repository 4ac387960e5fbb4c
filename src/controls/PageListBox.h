#pragma once

// The list of pages at the side of a settings window: one tall row per
// page, its picture centred near the top and its title centred below.
#include <string>
#include <vector>

#include "controls/Controls.h"

namespace nimbra {

class TCustomImageList;

struct TPageListItem {
    std::string Title;
    // In the list's Images; -1 (or out of range) draws no picture.
    int ImageIndex = -1;
};

// A row is as high as the text "A" plus 44 pixels at 96 dpi, scaled.
int PageListRowHeight(int textHeight, int dpi);

class TPageListBox : public TWinControl {
  public:
    explicit TPageListBox(TComponent* owner);
    ~TPageListBox() override;

    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    const std::vector<TPageListItem>& Items() const { return items_; }
    void SetItems(std::vector<TPageListItem> items);
    // The selected row, -1 for none.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);

    // The peer reports the user's choice.
    void ItemIndexChangedByUser(int index);
    TNotifyEvent OnChange;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    TCustomImageList* images_ = nullptr;
    std::vector<TPageListItem> items_;
    int itemIndex_ = -1;
};

}  // namespace nimbra
