#include "controls/Controls.h"

#include <algorithm>

#include "controls/Menus.h"
#include "utils/MiscUtils.h"

namespace nimbra {

const TTypeInfo& EnumTypeInfo(TBiDiMode) {
    static const TTypeInfo info = MakeEnumTypeInfo(
        "TBiDiMode",
        {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"});
    return info;
}

// ---- TSizeConstraints ----------------------------------------------------------------

void TSizeConstraints::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TSizeConstraints*>(&source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    minWidth_ = other->minWidth_;
    minHeight_ = other->minHeight_;
    maxWidth_ = other->maxWidth_;
    maxHeight_ = other->maxHeight_;
}

const TClassInfo& TSizeConstraints::StaticClassInfo() {
    using T = TSizeConstraints;
    static const TClassInfo info("TSizeConstraints", &TPersistent::StaticClassInfo(),
                                 {Published("MaxHeight", &T::MaxHeight, &T::SetMaxHeight, 0),
                                  Published("MaxWidth", &T::MaxWidth, &T::SetMaxWidth, 0),
                                  Published("MinHeight", &T::MinHeight, &T::SetMinHeight, 0),
                                  Published("MinWidth", &T::MinWidth, &T::SetMinWidth, 0)});
    return info;
}

// ---- TControl -----------------------------------------------------------------------

TControl::TControl(TComponent* owner)
    : TComponent(owner),
      constraints_(std::make_unique<TSizeConstraints>()),
      font_(std::make_unique<TFont>()) {
    font_->OnChange = [this](TFont&) { FontChanged(); };
}

TControl::~TControl() {
    // The window goes while the model is still whole.
    peer_.reset();
    SetAction(nullptr);
    SetPopupMenu(nullptr);
    SetParent(nullptr);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent_ == parent)
        return;
    if (parent != nullptr && parent == this)
        throw EComponentError("A control cannot be its own parent");
    // A window cannot move to another parent here: it is made again when
    // needed.
    peer_.reset();
    if (parent_ != nullptr)
        parent_->RemoveControl(this);
    parent_ = parent;
    if (parent_ != nullptr) {
        parent_->InsertControl(this);
        if (parentFont_)
            ParentFontChanged();
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    const TRect design{left, top, left + width, top + height};
    if (design_ == design)
        return;
    design_ = design;
    RequestLayout();
}

void TControl::SetBoundsRect(const TRect& bounds) {
    bounds_ = bounds;
}

void TControl::SetAlign(TAlign align) {
    if (align_ == align)
        return;
    align_ = align;
    RequestLayout();
}

void TControl::SetAnchors(TAnchors anchors) {
    if (anchors_ == anchors)
        return;
    anchors_ = anchors;
    RequestLayout();
}

void TControl::SetConstraints(TSizeConstraints* constraints) {
    if (constraints != nullptr)
        constraints_->Assign(*constraints);
    RequestLayout();
}

void TControl::SetAutoSize(bool autoSize) {
    if (autoSize_ == autoSize)
        return;
    autoSize_ = autoSize;
    RequestLayout();
}

void TControl::SetVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    Changed(TControlChange::Visible);
    RequestLayout();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    Changed(TControlChange::Enabled);
}

bool TControl::Showing() const {
    for (const TControl* c = this; c != nullptr; c = c->parent_) {
        if (!c->visible_)
            return false;
    }
    return true;
}

void TControl::SetText(const std::string& text) {
    if (text_ == text)
        return;
    text_ = text;
    Changed(TControlChange::Text);
    TextChanged();
    RequestLayout();
}

void TControl::TextChangedByUser(const std::string& text) {
    if (text_ == text)
        return;
    text_ = text;
    TextChanged();
}

void TControl::SetHint(const std::string& hint) {
    if (hint_ == hint)
        return;
    hint_ = hint;
    Changed(TControlChange::Hint);
}

void TControl::SetFont(TFont* font) {
    if (font != nullptr)
        font_->Assign(*font);
}

void TControl::SetParentFont(bool parentFont) {
    if (parentFont_ == parentFont)
        return;
    parentFont_ = parentFont;
    if (parentFont_)
        ParentFontChanged();
}

void TControl::FontChanged() {
    if (!settingParentFont_)
        parentFont_ = false;
    Changed(TControlChange::Font);
    if (auto* container = dynamic_cast<TWinControl*>(this)) {
        for (int i = 0; i < container->ControlCount(); ++i) {
            TControl* child = container->Controls(i);
            if (child->parentFont_)
                child->ParentFontChanged();
        }
    }
    RequestLayout();
}

void TControl::ParentFontChanged() {
    if (!parentFont_ || parent_ == nullptr)
        return;
    settingParentFont_ = true;
    font_->Assign(*parent_->Font());
    settingParentFont_ = false;
}

void TControl::SetBiDiMode(TBiDiMode mode) {
    if (biDiMode_ == mode)
        return;
    biDiMode_ = mode;
    Changed(TControlChange::State);
}

void TControl::SetColor(TColor color) {
    if (color_ == color)
        return;
    color_ = color;
    Changed(TControlChange::Color);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    if (popupMenu_ == menu)
        return;
    if (popupMenu_ != nullptr)
        popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = menu;
    if (popupMenu_ != nullptr)
        popupMenu_->FreeNotification(this);
}

void TControl::SetAction(TBasicAction* action) {
    if (action_ == action)
        return;
    if (action_ != nullptr) {
        action_->UnregisterClient(this);
        action_->RemoveFreeNotification(this);
    }
    action_ = action;
    if (action_ == nullptr)
        return;
    action_->RegisterClient(this);
    action_->FreeNotification(this);
    ActionChanged(*action_);
}

void TControl::ActionChanged(TBasicAction& action) {
    const auto* a = dynamic_cast<const TAction*>(&action);
    if (a == nullptr)
        return;
    SetCaption(a->Caption());
    SetHint(a->Hint());
    SetEnabled(a->Enabled());
    SetVisible(a->Visible());
}

void TControl::ActionDestroying(TBasicAction& action) {
    if (&action == action_)
        action_ = nullptr;
}

void TControl::Click() {
    if (OnClick) {
        OnClick(*this);
    } else if (action_ != nullptr) {
        action_->Execute();
    }
}

int TControl::Dpi() const {
    if (peer_ != nullptr)
        return peer_->Dpi();
    return parent_ != nullptr ? parent_->Dpi() : kDesignDpi;
}

TSize TControl::ContentSize(const TTextMetrics&, int) const {
    return {};
}

std::string TControl::ComponentPath() const {
    std::string path = Name();
    for (const TComponent* c = Owner(); c != nullptr && !c->Name().empty(); c = c->Owner())
        path = c->Name() + "." + path;
    return path;
}

bool TControl::HandleWindowMessage(unsigned, std::uintptr_t, std::intptr_t, std::intptr_t&) {
    return false;
}

void TControl::PostWindowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (peer_ != nullptr)
        peer_->PostWindowMessage(message, wParam, lParam);
}

void TControl::SetPeer(std::unique_ptr<TControlPeer> peer) {
    peer_ = std::move(peer);
}

void TControl::Changed(TControlChange change) {
    if (peer_ != nullptr)
        peer_->Changed(change);
}

void TControl::RequestLayout() {
    // Only a shown window needs its children placed again at once; models
    // without windows are laid out when asked.
    if (parent_ != nullptr && parent_->Peer() != nullptr)
        parent_->Realign();
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == action_)
        action_ = nullptr;
    if (component == popupMenu_)
        popupMenu_ = nullptr;
}

const TClassInfo& TControl::StaticClassInfo() {
    using T = TControl;
    static const TClassInfo info(
        "TControl", &TComponent::StaticClassInfo(),
        {Published("Action", &T::Action, &T::SetAction),
         Published("Align", &T::Align, &T::SetAlign, alNone),
         Published("Anchors", &T::Anchors, &T::SetAnchors, kDefaultAnchors),
         Published("BiDiMode", &T::BiDiMode, &T::SetBiDiMode, bdLeftToRight),
         Published("Constraints", &T::Constraints, &T::SetConstraints),
         Published("Enabled", &T::Enabled, &T::SetEnabled, true),
         Published("Font", &T::Font, &T::SetFont), Published("Hint", &T::Hint, &T::SetHint),
         Published("ParentFont", &T::ParentFont, &T::SetParentFont, true),
         Published("Visible", &T::Visible, &T::SetVisible, true)});
    return info;
}

// ---- TWinControl --------------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // The children's windows go before this one; the children themselves are
    // freed by their owner, later, and must not reach back here.
    DestroyChildWindows();
    for (TControl* child : controls_)
        child->parent_ = nullptr;
    controls_.clear();
}

void TWinControl::DestroyChildWindows() {
    for (TControl* child : controls_) {
        if (auto* container = dynamic_cast<TWinControl*>(child))
            container->DestroyChildWindows();
        child->peer_.reset();
    }
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
}

void TWinControl::RemoveControl(TControl* control) {
    std::erase(controls_, control);
}

TSize TWinControl::DesignClientSize() const {
    if (designClient_.Width > 0 || designClient_.Height > 0)
        return designClient_;
    return {Width(), Height()};
}

TSize TWinControl::ClientSize() const {
    TSize size;
    if (Peer() != nullptr && Peer()->GetClientSize(size))
        return size;
    return {BoundsRect().Width(), BoundsRect().Height()};
}

const TTextMetrics* TWinControl::TextMetrics() const {
    if (metrics_ != nullptr)
        return metrics_;
    return Parent() != nullptr ? Parent()->TextMetrics() : nullptr;
}

std::vector<TLayoutItem> TWinControl::LayoutItems(int dpi) const {
    const TTextMetrics* metrics = TextMetrics();
    std::vector<TLayoutItem> items;
    items.reserve(controls_.size());
    for (const TControl* child : controls_) {
        TLayoutItem item;
        item.Design = child->DesignBounds();
        item.Align = child->Align();
        item.Anchors = child->Anchors();
        const TSizeConstraints& limits = *child->Constraints();
        item.MinSize = {ScaleToDpi(limits.MinWidth(), dpi), ScaleToDpi(limits.MinHeight(), dpi)};
        item.MaxSize = {ScaleToDpi(limits.MaxWidth(), dpi), ScaleToDpi(limits.MaxHeight(), dpi)};
        if (const auto* container = dynamic_cast<const TWinControl*>(child)) {
            // A container needs room for what it holds, and for its own
            // frame around its client area.
            const TSize inner = container->MinClientSize();
            const TSize client = container->ClientSize();
            const TRect& outer = container->BoundsRect();
            item.MinSize.Width =
                std::max(item.MinSize.Width, inner.Width + outer.Width() - client.Width);
            item.MinSize.Height =
                std::max(item.MinSize.Height, inner.Height + outer.Height() - client.Height);
        }
        if (metrics != nullptr)
            item.Content = child->ContentSize(*metrics, dpi);
        item.AutoSize = child->AutoSize();
        item.Visible = child->Visible();
        items.push_back(item);
    }
    return items;
}

TSize TWinControl::MinClientSize() const {
    const int dpi = Dpi();
    return ArrangeControls(LayoutItems(dpi), DesignClientSize(), ClientSize(), dpi).MinClient;
}

void TWinControl::Realign() {
    const int dpi = Dpi();
    const TLayoutResult layout =
        ArrangeControls(LayoutItems(dpi), DesignClientSize(), ClientSize(), dpi);
    std::vector<TControl*> moved;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i]->BoundsRect() == layout.Bounds[i])
            continue;
        controls_[i]->SetBoundsRect(layout.Bounds[i]);
        moved.push_back(controls_[i]);
    }
    if (Peer() != nullptr && !moved.empty())
        Peer()->ApplyChildBounds(moved);
    for (TControl* child : controls_) {
        if (auto* container = dynamic_cast<TWinControl*>(child))
            container->Realign();
    }
}

void TWinControl::ParentFontChanged() {
    TControl::ParentFontChanged();
}

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(*this, key, shift);
}

void TWinControl::KeyPress(char32_t& key) {
    if (OnKeyPress)
        OnKeyPress(*this, key);
}

void TWinControl::DoEnter() {
    if (OnEnter)
        OnEnter(*this);
}

void TWinControl::DoExit() {
    if (OnExit)
        OnExit(*this);
}

void TWinControl::SetFocus() {
    if (Peer() != nullptr)
        Peer()->SetFocus();
}

bool TWinControl::Focused() const {
    return Peer() != nullptr && Peer()->Focused();
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c != nullptr; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled())
            return false;
    }
    return true;
}

const TClassInfo& TWinControl::StaticClassInfo() {
    static const TClassInfo info("TWinControl", &TControl::StaticClassInfo());
    return info;
}

}  // namespace nimbra
