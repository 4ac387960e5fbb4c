#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Classes.h"
#include "controls/ActnList.h"
#include "controls/Graphics.h"
#include "controls/Layout.h"

namespace nimbra {

class TControl;
class TWinControl;
class TPopupMenu;

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
const TTypeInfo& EnumTypeInfo(TBiDiMode);

// The smallest and largest size of a control in design pixels; 0 is no limit.
class TSizeConstraints : public TPersistent {
  public:
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value) { minWidth_ = value; }
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int value) { minHeight_ = value; }
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int value) { maxWidth_ = value; }
    int MaxHeight() const { return maxHeight_; }
    void SetMaxHeight(int value) { maxHeight_ = value; }

    void Assign(const TPersistent& source) override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    int minWidth_ = 0;
    int minHeight_ = 0;
    int maxWidth_ = 0;
    int maxHeight_ = 0;
};

// What changed in a control, for its window to follow.
enum class TControlChange {
    Text,
    Visible,
    Enabled,
    Font,
    Color,
    Hint,
    // Control-specific state: a check mark, the items of a list, an image.
    State,
};

// The window system's side of a control: created for a control when its
// window is needed, told of every change of the control's state. Outside
// Windows no peers exist and the model runs alone.
class TControlPeer {
  public:
    virtual ~TControlPeer() = default;
    virtual void Changed(TControlChange change) = 0;
    // Moves the windows of the children to their bounds, in one batch.
    virtual void ApplyChildBounds(const std::vector<TControl*>& children) = 0;
    // The client area of a window whose frame or bars take room; false when
    // it equals the bounds.
    virtual bool GetClientSize(TSize& size) const = 0;
    virtual int Dpi() const = 0;
    virtual void SetFocus() = 0;
    virtual bool Focused() const = 0;
    // Queues a message for the control's window (the window system's
    // numbering).
    virtual void PostWindowMessage(unsigned message, std::uintptr_t wParam,
                                   std::intptr_t lParam) = 0;
};

// Measures text for the layout: the size of a text in a font at a
// resolution, in device pixels.
class TTextMetrics {
  public:
    virtual TSize TextExtent(const TFont& font, int dpi, std::string_view text) const = 0;

  protected:
    ~TTextMetrics() = default;
};

// A visual component. Its owner (the form or frame it belongs to) decides
// its lifetime and its name path; its parent is only the window it sits in.
// Bounds are designed in 96-dpi pixels; the layout gives the device bounds.
class TControl : public TComponent, private TActionClient {
  public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    // Design bounds, 96 dpi, relative to the parent's client area.
    int Left() const { return design_.Left; }
    int Top() const { return design_.Top; }
    int Width() const { return design_.Width(); }
    int Height() const { return design_.Height(); }
    const TRect& DesignBounds() const { return design_; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

    // Where the layout placed the control: device pixels in the parent's
    // client area.
    const TRect& BoundsRect() const { return bounds_; }
    void SetBoundsRect(const TRect& bounds);

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors);
    TSizeConstraints* Constraints() const { return constraints_.get(); }
    void SetConstraints(TSizeConstraints* constraints);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Visible itself and every parent up to the top.
    bool Showing() const;

    // The text of the control: a caption for labels, buttons and windows,
    // the contents for edits (each class publishes the name that fits).
    const std::string& Caption() const { return text_; }
    void SetCaption(const std::string& caption) { SetText(caption); }
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);

    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* font);
    // The control takes its parent's font (and follows it).
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode mode);
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);

    // Bound to an action, the control shows the action's caption, hint,
    // enabled and visible state, and a click runs the action.
    TBasicAction* Action() const { return action_; }
    void SetAction(TBasicAction* action);

    TNotifyEvent OnClick;
    // Runs the click: the bound action, else OnClick.
    virtual void Click();

    // The resolution the control is shown at: its top-level window's.
    virtual int Dpi() const;
    // The size the content needs at a resolution (device pixels); zero
    // sizes where nothing is needed.
    virtual TSize ContentSize(const TTextMetrics& metrics, int dpi) const;

    // The names of the owner chain down to this control, joined by ".";
    // for example "NimbraApp.NimbraFrame1.ListView1".
    std::string ComponentPath() const;

    TControlPeer* Peer() const { return peer_.get(); }
    void SetPeer(std::unique_ptr<TControlPeer> peer);
    // The peer tells the control of a text the user changed.
    void TextChangedByUser(const std::string& text);
    // A message of the control's window, offered to the control before the
    // window's own handling (the window system's numbering); true when the
    // control answered it with `result`.
    virtual bool HandleWindowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                     std::intptr_t& result);
    // Queues a message for the control's window; nothing without a window.
    void PostWindowMessage(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    void Notification(TComponent* component, TOperation operation) override;
    virtual void Changed(TControlChange change);
    // After the text changed, by code or by the user.
    virtual void TextChanged() {}
    // Copies what the control shows of its action.
    virtual void ActionChanged(TBasicAction& action) override;
    // The parent font changed (or the control now takes it).
    virtual void ParentFontChanged();
    // The control's own font changed; the base tells the window and the
    // children that follow it.
    virtual void FontChanged();
    // The layout must run again for the control's parent.
    void RequestLayout();

  private:
    friend class TWinControl;
    void ActionDestroying(TBasicAction& action) override;

    TWinControl* parent_ = nullptr;
    TRect design_;
    TRect bounds_;
    TAlign align_ = alNone;
    TAnchors anchors_ = kDefaultAnchors;
    std::unique_ptr<TSizeConstraints> constraints_;
    bool autoSize_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    std::string text_;
    std::string hint_;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool settingParentFont_ = false;
    TBiDiMode biDiMode_ = bdLeftToRight;
    TColor color_ = clDefault;
    TPopupMenu* popupMenu_ = nullptr;
    TBasicAction* action_ = nullptr;
    std::unique_ptr<TControlPeer> peer_;
};

// A control that is a container for other controls and can take the
// keyboard focus.
class TWinControl : public TControl {
  public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(static_cast<std::size_t>(index)); }

    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }

    // The client area the children were designed in (96 dpi); by default the
    // design size of the control itself.
    TSize DesignClientSize() const;
    void SetDesignClientSize(TSize size) { designClient_ = size; }
    // The client area now, in device pixels.
    virtual TSize ClientSize() const;
    // The smallest client area that shows every child at its needed size
    // (device pixels).
    TSize MinClientSize() const;

    // Places the children in the client area and lays out each container
    // among them. Without a window (and without metrics) the design texts
    // need no room.
    void Realign();
    void SetTextMetrics(const TTextMetrics* metrics) { metrics_ = metrics; }
    const TTextMetrics* TextMetrics() const;

    // Keyboard events: a key set to 0 (or a character set to 0) is consumed.
    std::function<void(TObject& sender, std::uint16_t& key, TShiftState shift)> OnKeyDown;
    std::function<void(TObject& sender, char32_t& key)> OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    // Raised by the peer; the model raises the events.
    void KeyDown(std::uint16_t& key, TShiftState shift);
    void KeyPress(char32_t& key);
    virtual void DoEnter();
    virtual void DoExit();

    // Focus through the peer; without a window nothing happens.
    void SetFocus();
    bool Focused() const;
    bool CanFocus() const;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    void ParentFontChanged() override;

  private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    std::vector<TLayoutItem> LayoutItems(int dpi) const;
    void DestroyChildWindows();

    std::vector<TControl*> controls_;
    bool tabStop_ = false;
    TSize designClient_;
    const TTextMetrics* metrics_ = nullptr;
};

// Creates a named control owned by `owner` inside `parent`, at its design
// bounds: the one line a form's construction spends per control.
template <class T>
T* MakeControl(TComponent* owner, TWinControl* parent, const char* name, const TRect& bounds) {
    auto* control = new T(owner);
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    return control;
}

}  // namespace nimbra
