#include "controls/PageListBox.h"

#include "controls/Graphics.h"
#include "controls/ImgList.h"

namespace nimbra {

int PageListRowHeight(int textHeight, int dpi) {
    return textHeight + ScaleToDpi(44, dpi);
}

TPageListBox::TPageListBox(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
}

TPageListBox::~TPageListBox() {
    SetImages(nullptr);
}

void TPageListBox::SetImages(TCustomImageList* images) {
    if (images_ == images)
        return;
    if (images_ != nullptr)
        images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_ != nullptr)
        images_->FreeNotification(this);
    Changed(TControlChange::State);
}

void TPageListBox::SetItems(std::vector<TPageListItem> items) {
    items_ = std::move(items);
    if (itemIndex_ >= static_cast<int>(items_.size()))
        itemIndex_ = -1;
    Changed(TControlChange::State);
}

void TPageListBox::SetItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size()))
        index = -1;
    if (itemIndex_ == index)
        return;
    itemIndex_ = index;
    Changed(TControlChange::State);
}

void TPageListBox::ItemIndexChangedByUser(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size()) || itemIndex_ == index)
        return;
    itemIndex_ = index;
    if (OnChange)
        OnChange(*this);
}

void TPageListBox::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == images_)
        images_ = nullptr;
}

const TClassInfo& TPageListBox::StaticClassInfo() {
    static const TClassInfo info("TPageListBox", &TWinControl::StaticClassInfo());
    return info;
}

}  // namespace nimbra
