#include "controls/StdCtrls.h"

#include "controls/Forms.h"
#include "utils/MiscUtils.h"

namespace nimbra {

namespace {

// Room around the text of a push button and beside the box of a check box,
// at 96 dpi.
constexpr int kButtonTextMargin = 20;
constexpr int kCheckBoxBoxAndGap = 19;

TSize CaptionExtent(const TControl& control, const TTextMetrics& metrics, int dpi) {
    return metrics.TextExtent(*control.Font(), dpi, StripHotkey(control.Caption()));
}

}  // namespace

// ---- TLabel ---------------------------------------------------------------------------

TLabel::TLabel(TComponent* owner) : TControl(owner) {
    SetAutoSize(true);
}

void TLabel::SetFocusControl(TWinControl* control) {
    if (focusControl_ != nullptr)
        focusControl_->RemoveFreeNotification(this);
    focusControl_ = control;
    if (focusControl_ != nullptr)
        focusControl_->FreeNotification(this);
}

void TLabel::SetWordWrap(bool wordWrap) {
    if (wordWrap_ == wordWrap)
        return;
    wordWrap_ = wordWrap;
    Changed(TControlChange::State);
}

TSize TLabel::ContentSize(const TTextMetrics& metrics, int dpi) const {
    // A wrapped text takes the width it is given.
    if (wordWrap_)
        return {};
    return CaptionExtent(*this, metrics, dpi);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_)
        focusControl_ = nullptr;
}

const TClassInfo& TLabel::StaticClassInfo() {
    using T = TLabel;
    static const TClassInfo info("TLabel", &TControl::StaticClassInfo(),
                                 {Published("Caption", &T::Caption, &T::SetCaption),
                                  Published("FocusControl", &T::FocusControl, &T::SetFocusControl),
                                  Published("WordWrap", &T::WordWrap, &T::SetWordWrap, false)});
    return info;
}

// ---- TEdit ----------------------------------------------------------------------------

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
}

void TEdit::SetHideSelection(bool hide) {
    if (hideSelection_ == hide)
        return;
    hideSelection_ = hide;
    Changed(TControlChange::State);
}

void TEdit::SetReadOnly(bool readOnly) {
    if (readOnly_ == readOnly)
        return;
    readOnly_ = readOnly;
    Changed(TControlChange::State);
}

void TEdit::SetMaxLength(int length) {
    if (maxLength_ == length)
        return;
    maxLength_ = length;
    Changed(TControlChange::State);
}

void TEdit::SelectAll() {
    if (TEditPeer* peer = EditPeer())
        peer->SelectAll();
}

void TEdit::SetSelection(int start, int length) {
    if (TEditPeer* peer = EditPeer())
        peer->SetSelection(start, length);
}

void TEdit::GetSelection(int& start, int& length) const {
    if (const TEditPeer* peer = EditPeer()) {
        peer->GetSelection(start, length);
        return;
    }
    start = static_cast<int>(Text().size());
    length = 0;
}

void TEdit::TextChanged() {
    if (OnChange)
        OnChange(*this);
}

void TEdit::ActionChanged(TBasicAction& action) {
    // The text is the user's; only the state follows the action.
    if (const auto* a = dynamic_cast<const TAction*>(&action)) {
        SetHint(a->Hint());
        SetEnabled(a->Enabled());
        SetVisible(a->Visible());
    }
}

const TClassInfo& TEdit::StaticClassInfo() {
    using T = TEdit;
    static const TClassInfo info(
        "TEdit", &TWinControl::StaticClassInfo(),
        {Published("AutoSelect", &T::AutoSelect, &T::SetAutoSelect, true),
         Published("HideSelection", &T::HideSelection, &T::SetHideSelection, true),
         Published("MaxLength", &T::MaxLength, &T::SetMaxLength, 0),
         Published("ReadOnly", &T::ReadOnly, &T::SetReadOnly, false),
         Published("Text", &T::Text, &T::SetText)});
    return info;
}

// ---- TButton --------------------------------------------------------------------------

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
}

void TButton::SetDefault(bool isDefault) {
    if (default_ == isDefault)
        return;
    default_ = isDefault;
    Changed(TControlChange::State);
}

void TButton::Click() {
    TWinControl::Click();
    // A button with a modal result ends its modal window with it.
    if (modalResult_ != mrNone) {
        if (TCustomForm* form = GetParentForm(*this))
            form->SetModalResult(modalResult_);
    }
}

TSize TButton::ContentSize(const TTextMetrics& metrics, int dpi) const {
    const TSize text = CaptionExtent(*this, metrics, dpi);
    return {text.Width + ScaleToDpi(kButtonTextMargin, dpi), 0};
}

const TClassInfo& TButton::StaticClassInfo() {
    using T = TButton;
    static const TClassInfo info("TButton", &TWinControl::StaticClassInfo(),
                                 {Published("Cancel", &T::Cancel, &T::SetCancel, false),
                                  Published("Caption", &T::Caption, &T::SetCaption),
                                  Published("Default", &T::Default, &T::SetDefault, false)});
    return info;
}

// ---- TCheckBox ------------------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
}

void TCheckBox::SetChecked(bool checked) {
    if (checked_ == checked)
        return;
    checked_ = checked;
    Changed(TControlChange::State);
}

void TCheckBox::Toggle() {
    SetChecked(!checked_);
    Click();
}

void TCheckBox::ActionChanged(TBasicAction& action) {
    TWinControl::ActionChanged(action);
    if (const auto* a = dynamic_cast<const TAction*>(&action))
        SetChecked(a->Checked());
}

TSize TCheckBox::ContentSize(const TTextMetrics& metrics, int dpi) const {
    const TSize text = CaptionExtent(*this, metrics, dpi);
    return {text.Width + ScaleToDpi(kCheckBoxBoxAndGap, dpi), 0};
}

const TClassInfo& TCheckBox::StaticClassInfo() {
    using T = TCheckBox;
    static const TClassInfo info("TCheckBox", &TWinControl::StaticClassInfo(),
                                 {Published("Caption", &T::Caption, &T::SetCaption),
                                  Published("Checked", &T::Checked, &T::SetChecked, false)});
    return info;
}

// ---- TComboBox ------------------------------------------------------------------------

const TTypeInfo& EnumTypeInfo(TComboBoxStyle) {
    static const TTypeInfo info =
        MakeEnumTypeInfo("TComboBoxStyle", {"csDropDown", "csDropDownList"});
    return info;
}

TComboBox::TComboBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TStringList>()) {
    SetTabStop(true);
    items_->OnChange = [this](TStrings&) {
        if (itemIndex_ >= items_->Count())
            itemIndex_ = -1;
        Changed(TControlChange::State);
    };
}

TComboBox::~TComboBox() {
    items_->OnChange = nullptr;
}

void TComboBox::SetItems(TStrings* items) {
    if (items != nullptr)
        items_->Assign(*items);
}

void TComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= items_->Count())
        index = -1;
    if (itemIndex_ == index)
        return;
    itemIndex_ = index;
    Changed(TControlChange::State);
}

void TComboBox::ItemIndexChangedByUser(int index) {
    if (itemIndex_ == index)
        return;
    itemIndex_ = index;
    if (OnChange)
        OnChange(*this);
}

const TClassInfo& TComboBox::StaticClassInfo() {
    using T = TComboBox;
    static const TClassInfo info(
        "TComboBox", &TWinControl::StaticClassInfo(),
        {Published("DropDownCount", &T::DropDownCount, &T::SetDropDownCount, 8),
         Published("ItemIndex", &T::ItemIndex, &T::SetItemIndex, -1),
         Published("Items", &T::Items, &T::SetItems),
         Published("Style", &T::Style, &T::SetStyle, csDropDownList)});
    return info;
}

// ---- TGroupBox ------------------------------------------------------------------------

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {}

const TClassInfo& TGroupBox::StaticClassInfo() {
    using T = TGroupBox;
    static const TClassInfo info("TGroupBox", &TWinControl::StaticClassInfo(),
                                 {Published("Caption", &T::Caption, &T::SetCaption)});
    return info;
}

}  // namespace nimbra
