#include "controls/ComCtrls.h"

#include <algorithm>

#include "controls/ImgList.h"
#include "controls/Menus.h"
#include "utils/MiscUtils.h"

namespace nimbra {

// ---- TTabSheet / TPageControl -----------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    SetAlign(alClient);
}

const TClassInfo& TTabSheet::StaticClassInfo() {
    using T = TTabSheet;
    static const TClassInfo info("TTabSheet", &TWinControl::StaticClassInfo(),
                                 {Published("Caption", &T::Caption, &T::SetCaption)});
    return info;
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (activePage_ == page)
        return;
    activePage_ = page;
    for (int i = 0; i < PageCount(); ++i)
        Pages(i)->SetVisible(Pages(i) == page);
    Changed(TControlChange::State);
}

int TPageControl::PageCount() const {
    int count = 0;
    for (int i = 0; i < ControlCount(); ++i)
        count += dynamic_cast<TTabSheet*>(Controls(i)) != nullptr ? 1 : 0;
    return count;
}

TTabSheet* TPageControl::Pages(int index) const {
    for (int i = 0; i < ControlCount(); ++i) {
        if (auto* page = dynamic_cast<TTabSheet*>(Controls(i)); page != nullptr && index-- == 0)
            return page;
    }
    throw EListError("Page index out of bounds");
}

const TClassInfo& TPageControl::StaticClassInfo() {
    static const TClassInfo info("TPageControl", &TWinControl::StaticClassInfo());
    return info;
}

// ---- TStatusBar -----------------------------------------------------------------------

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
    SetAlign(alBottom);
}

void TStatusBar::SetSimpleText(const std::string& text) {
    if (simpleText_ == text)
        return;
    simpleText_ = text;
    Changed(TControlChange::State);
}

const TClassInfo& TStatusBar::StaticClassInfo() {
    using T = TStatusBar;
    static const TClassInfo info("TStatusBar", &TWinControl::StaticClassInfo(),
                                 {Published("AutoHint", &T::AutoHint, &T::SetAutoHint, false),
                                  Published("SimpleText", &T::SimpleText, &T::SetSimpleText)});
    return info;
}

// ---- TToolButton / TToolBar -------------------------------------------------------------

const TTypeInfo& EnumTypeInfo(TToolButtonStyle) {
    static const TTypeInfo info = MakeEnumTypeInfo(
        "TToolButtonStyle", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator"});
    return info;
}

TToolButton::TToolButton(TComponent* owner) : TControl(owner) {}

void TToolButton::SetStyle(TToolButtonStyle style) {
    if (style_ == style)
        return;
    style_ = style;
    Changed(TControlChange::State);
}

void TToolButton::SetDown(bool down) {
    if (down_ == down)
        return;
    down_ = down;
    Changed(TControlChange::State);
}

void TToolButton::SetWholeDropDown(bool whole) {
    if (wholeDropDown_ == whole)
        return;
    wholeDropDown_ = whole;
    Changed(TControlChange::State);
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu) {
    if (dropdownMenu_ != nullptr)
        dropdownMenu_->RemoveFreeNotification(this);
    dropdownMenu_ = menu;
    if (dropdownMenu_ != nullptr)
        dropdownMenu_->FreeNotification(this);
}

void TToolButton::SetImageIndex(int index) {
    if (imageIndex_ == index)
        return;
    imageIndex_ = index;
    Changed(TControlChange::State);
}

TSize TToolButton::ContentSize(const TTextMetrics& metrics, int dpi) const {
    // At 96 dpi: a 16-pixel image with room around it and the caption, and
    // the arrow of a drop-down button.
    constexpr int kImageAndMargins = 16 + 12;
    constexpr int kSeparateArrow = 15;
    constexpr int kWholeArrow = 10;
    if (style_ == tbsSeparator)
        return {};
    int width = metrics.TextExtent(*Font(), dpi, StripHotkey(Caption())).Width +
                ScaleToDpi(kImageAndMargins, dpi);
    if (style_ == tbsDropDown)
        width += ScaleToDpi(wholeDropDown_ ? kWholeArrow : kSeparateArrow, dpi);
    return {width, 0};
}

void TToolButton::ActionChanged(TBasicAction& action) {
    TControl::ActionChanged(action);
    if (const auto* a = dynamic_cast<const TAction*>(&action)) {
        SetDown(a->Checked());
        SetImageIndex(a->ImageIndex());
    }
}

void TToolButton::Changed(TControlChange change) {
    // The tool bar draws its buttons: it follows their changes.
    if (Parent() != nullptr && Parent()->Peer() != nullptr)
        Parent()->Peer()->Changed(TControlChange::State);
    TControl::Changed(change);
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    if (operation == opRemove && component == dropdownMenu_)
        dropdownMenu_ = nullptr;
}

const TClassInfo& TToolButton::StaticClassInfo() {
    using T = TToolButton;
    static const TClassInfo info("TToolButton", &TControl::StaticClassInfo(),
                                 {Published("Caption", &T::Caption, &T::SetCaption),
                                  Published("Style", &T::Style, &T::SetStyle, tbsButton)});
    return info;
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {}

void TToolBar::SetImages(TCustomImageList* images) {
    if (images_ != nullptr)
        images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_ != nullptr)
        images_->FreeNotification(this);
    Changed(TControlChange::State);
}

int TToolBar::ButtonCount() const {
    int count = 0;
    for (int i = 0; i < ControlCount(); ++i)
        count += dynamic_cast<TToolButton*>(Controls(i)) != nullptr ? 1 : 0;
    return count;
}

TToolButton* TToolBar::Buttons(int index) const {
    for (int i = 0; i < ControlCount(); ++i) {
        if (auto* button = dynamic_cast<TToolButton*>(Controls(i));
            button != nullptr && index-- == 0)
            return button;
    }
    throw EListError("Button index out of bounds");
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == images_)
        images_ = nullptr;
}

const TClassInfo& TToolBar::StaticClassInfo() {
    static const TClassInfo info("TToolBar", &TWinControl::StaticClassInfo());
    return info;
}

// ---- TListColumn / TListViewEx ------------------------------------------------------------

TListColumn::TListColumn(TCollection* collection) : TCollectionItem(collection) {}

void TListColumn::SetCaption(const std::string& caption) {
    if (caption_ == caption)
        return;
    caption_ = caption;
    Changed(false);
}

void TListColumn::SetWidth(int width) {
    if (width_ == width)
        return;
    width_ = width;
    Changed(false);
}

void TListColumn::SetAutoSize(bool autoSize) {
    if (autoSize_ == autoSize)
        return;
    autoSize_ = autoSize;
    Changed(false);
}

void TListColumn::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TListColumn*>(&source);
    if (other == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    caption_ = other->caption_;
    width_ = other->width_;
    autoSize_ = other->autoSize_;
    Changed(false);
}

const TClassInfo& TListColumn::StaticClassInfo() {
    using T = TListColumn;
    static const TClassInfo info("TListColumn", &TCollectionItem::StaticClassInfo(),
                                 {Published("AutoSize", &T::AutoSize, &T::SetAutoSize, false),
                                  Published("Caption", &T::Caption, &T::SetCaption),
                                  Published("Width", &T::Width, &T::SetWidth, 50)});
    return info;
}

TListViewEx::TListViewEx(TComponent* owner)
    : TWinControl(owner), columns_(std::make_unique<TTypedCollection<TListColumn>>()) {
    SetTabStop(true);
    columns_->OnUpdate = [this](TCollection&, TCollectionItem*) {
        if (TListViewPeer* peer = ListPeer())
            peer->ColumnsChanged();
    };
}

TListViewEx::~TListViewEx() {
    columns_->OnUpdate = nullptr;
}

void TListViewEx::SetColumns(TTypedCollection<TListColumn>* columns) {
    if (columns != nullptr && columns != columns_.get())
        columns_->Assign(*columns);
}

void TListViewEx::SetRowCount(int count) {
    rowCount_ = std::max(0, count);
    if (selectedRow_ >= rowCount_)
        selectedRow_ = -1;
    if (TListViewPeer* peer = ListPeer())
        peer->SetRowCount(rowCount_);
}

void TListViewEx::SelectRow(int row) {
    if (row < 0 || row >= rowCount_)
        row = -1;
    selectedRow_ = row;
    if (TListViewPeer* peer = ListPeer())
        peer->SelectRow(row);
}

void TListViewEx::RedrawRow(int row) {
    if (TListViewPeer* peer = ListPeer())
        peer->RedrawRow(row);
}

void TListViewEx::Invalidate() {
    if (TListViewPeer* peer = ListPeer())
        peer->InvalidateRows();
}

void TListViewEx::SelectionChangedByUser(int row) {
    if (selectedRow_ == row)
        return;
    selectedRow_ = row;
    if (OnSelectItem)
        OnSelectItem(*this);
}

void TListViewEx::DoubleClicked() {
    if (OnDblClick)
        OnDblClick(*this);
}

const TClassInfo& TListViewEx::StaticClassInfo() {
    using T = TListViewEx;
    static const TClassInfo info("TListViewEx", &TWinControl::StaticClassInfo(),
                                 {Published("Columns", &T::Columns, &T::SetColumns)});
    return info;
}

}  // namespace nimbra
