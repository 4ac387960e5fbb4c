#include "controls/HelpCtrls.h"

namespace nimbra {

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
}

void TTreeView::SetItems(std::vector<TTreeItem> items) {
    items_ = std::move(items);
    ++itemsVersion_;
    selected_ = -1;
    Changed(TControlChange::State);
}

void TTreeView::SetSelected(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size()))
        index = -1;
    if (index == selected_)
        return;
    selected_ = index;
    Changed(TControlChange::State);
}

void TTreeView::SelectedByUser(int index) {
    if (index == selected_)
        return;
    selected_ = index;
    if (OnChange)
        OnChange(*this, index);
}

const TClassInfo& TTreeView::StaticClassInfo() {
    static const TClassInfo info("TTreeView", &TWinControl::StaticClassInfo());
    return info;
}

TRichView::TRichView(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
}

void TRichView::SetContent(std::string richText, std::vector<std::string> linkTargets) {
    richText_ = std::move(richText);
    targets_ = std::move(linkTargets);
    Changed(TControlChange::State);
}

void TRichView::LinkClicked(const std::string& target) {
    if (OnLinkClick)
        OnLinkClick(*this, target);
}

const TClassInfo& TRichView::StaticClassInfo() {
    static const TClassInfo info("TRichView", &TWinControl::StaticClassInfo());
    return info;
}

}  // namespace nimbra
