#pragma once

#include <memory>
#include <string>

#include "base/StringList.h"
#include "controls/Controls.h"

namespace nimbra {

// A line of text. Its "&" marks the key that moves the focus to the control
// standing after it (its partner, `FocusControl`).
class TLabel : public TControl {
  public:
    explicit TLabel(TComponent* owner);

    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);

    TSize ContentSize(const TTextMetrics& metrics, int dpi) const override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    TWinControl* focusControl_ = nullptr;
    bool wordWrap_ = false;
};

// What the window side of an edit box adds to its peer: the selection
// lives there.
class TEditPeer {
  public:
    virtual void SelectAll() = 0;
    virtual void SetSelection(int start, int length) = 0;
    virtual void GetSelection(int& start, int& length) const = 0;

  protected:
    ~TEditPeer() = default;
};

// A one-line text entry.
class TEdit : public TWinControl {
  public:
    explicit TEdit(TComponent* owner);

    // Entering the box by the keyboard selects all its text.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool autoSelect) { autoSelect_ = autoSelect; }
    // The selection stays visible while the box has no focus, when false.
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool hide);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);

    void SelectAll();
    void SetSelection(int start, int length);
    // Without a window: the end of the text, nothing selected.
    void GetSelection(int& start, int& length) const;

    // After every change of the text, by the user or by code.
    TNotifyEvent OnChange;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    void TextChanged() override;
    void ActionChanged(TBasicAction& action) override;

  private:
    TEditPeer* EditPeer() const { return dynamic_cast<TEditPeer*>(Peer()); }

    bool autoSelect_ = true;
    bool hideSelection_ = true;
    bool readOnly_ = false;
    int maxLength_ = 0;
};

enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7
};

// A push button. `Default` takes Enter and `Cancel` Esc in its window; a
// button with a modal result closes a modal window with it.
class TButton : public TWinControl {
  public:
    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool cancel) { cancel_ = cancel; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }

    void Click() override;
    TSize ContentSize(const TTextMetrics& metrics, int dpi) const override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    bool default_ = false;
    bool cancel_ = false;
    TModalResult modalResult_ = mrNone;
};

// A check box with its caption.
class TCheckBox : public TWinControl {
  public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    // The user clicked: the state flips, then OnClick (or the action) runs.
    void Toggle();

    TSize ContentSize(const TTextMetrics& metrics, int dpi) const override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    void ActionChanged(TBasicAction& action) override;

  private:
    bool checked_ = false;
};

enum TComboBoxStyle { csDropDown, csDropDownList };
const TTypeInfo& EnumTypeInfo(TComboBoxStyle);

// A drop-down list, with or without free text.
class TComboBox : public TWinControl {
  public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;

    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style) { style_ = style; }
    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* items);
    // The selected item, -1 for none.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    // Rows shown when the list drops down.
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count) { dropDownCount_ = count; }

    // The peer reports the user's choice.
    void ItemIndexChangedByUser(int index);
    TNotifyEvent OnChange;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    TComboBoxStyle style_ = csDropDownList;
    std::unique_ptr<TStringList> items_;
    int itemIndex_ = -1;
    int dropDownCount_ = 8;
};

// A frame with a caption around a group of controls.
class TGroupBox : public TWinControl {
  public:
    explicit TGroupBox(TComponent* owner);
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

}  // namespace nimbra
