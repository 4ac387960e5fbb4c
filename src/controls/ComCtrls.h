#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/Collections.h"
#include "controls/Controls.h"
#include "search/ItemsView.h"

namespace nimbra {

class TCustomImageList;
class TPopupMenu;

// ---- page control ----------------------------------------------------------------------

// One page of a page control; its caption is the tab's.
class TTabSheet : public TWinControl {
  public:
    explicit TTabSheet(TComponent* owner);
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

// Tabs over pages; the pages are its child tab sheets.
class TPageControl : public TWinControl {
  public:
    explicit TPageControl(TComponent* owner);

    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int PageCount() const;
    TTabSheet* Pages(int index) const;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    TTabSheet* activePage_ = nullptr;
};

// ---- status bar -----------------------------------------------------------------------

// One line of text at the bottom of a window; with `AutoHint` it shows the
// long hint of what the pointer or the menu selection is on.
class TStatusBar : public TWinControl {
  public:
    explicit TStatusBar(TComponent* owner);

    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& text);
    bool AutoHint() const { return autoHint_; }
    void SetAutoHint(bool autoHint) { autoHint_ = autoHint; }

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    std::string simpleText_;
    bool autoHint_ = false;
};

// ---- tool bar -------------------------------------------------------------------------

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator };
const TTypeInfo& EnumTypeInfo(TToolButtonStyle);

// A flat button of a tool bar, usually bound to an action. A drop-down
// button opens its menu from an arrow beside it, or from the whole button.
class TToolButton : public TControl {
  public:
    explicit TToolButton(TComponent* owner);

    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle style);
    // A toggle that shows its state pressed (a check button, or a drop-down
    // button bound to an auto-check action).
    bool Down() const { return down_; }
    void SetDown(bool down);
    // The whole button opens the menu (no separate arrow).
    bool WholeDropDown() const { return wholeDropDown_; }
    void SetWholeDropDown(bool whole);
    TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
    void SetDropdownMenu(TPopupMenu* menu);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);

    // The image, the caption and a drop-down arrow side by side.
    TSize ContentSize(const TTextMetrics& metrics, int dpi) const override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    void ActionChanged(TBasicAction& action) override;
    void Changed(TControlChange change) override;
    void Notification(TComponent* component, TOperation operation) override;

  private:
    TToolButtonStyle style_ = tbsButton;
    bool down_ = false;
    bool wholeDropDown_ = false;
    TPopupMenu* dropdownMenu_ = nullptr;
    int imageIndex_ = -1;
};

// A row of flat tool buttons (its child `TToolButton`s, each as wide as its
// design width or its caption needs).
class TToolBar : public TWinControl {
  public:
    explicit TToolBar(TComponent* owner);

    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    // Captions beside the images (instead of below).
    bool List() const { return list_; }
    void SetList(bool list) { list_ = list; }
    int ButtonCount() const;
    TToolButton* Buttons(int index) const;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    TCustomImageList* images_ = nullptr;
    bool list_ = true;
};

// ---- list view ------------------------------------------------------------------------

// A column of a report list: caption, design width, and whether it takes
// the width its texts need. Its ID names it in the stored column order.
class TListColumn : public TCollectionItem {
  public:
    explicit TListColumn(TCollection* collection);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // In 96-dpi pixels.
    int Width() const { return width_; }
    void SetWidth(int width);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

    void Assign(const TPersistent& source) override;
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    std::string caption_;
    int width_ = 50;
    bool autoSize_ = false;
};

// The texts and icon of one row as the list asks for them.
struct TListRow {
    std::string Caption;
    int Indent = 0;
    std::vector<std::string> SubItems;
    int ImageIndex = -1;
};

// What the window side of the list adds to its peer: rows, selection and
// column layout live there.
class TListViewPeer {
  public:
    virtual void SetRowCount(int count) = 0;
    virtual void SelectRow(int row) = 0;
    virtual void RedrawRow(int row) = 0;
    virtual void InvalidateRows() = 0;
    virtual void ColumnsChanged() = 0;

  protected:
    ~TListViewPeer() = default;
};

// An owner-data report list: it knows only how many rows there are and
// asks for each row's texts when it draws it (`OnData`). It is the result
// list of the search: selecting a row selects it, focuses it and scrolls it
// into view. Column order and widths are kept in the settings store under
// `ColumnsSection`.
class TListViewEx : public TWinControl, public TResultList {
  public:
    explicit TListViewEx(TComponent* owner);
    ~TListViewEx() override;

    TTypedCollection<TListColumn>* Columns() const { return columns_.get(); }
    void SetColumns(TTypedCollection<TListColumn>* columns);
    // The user may drag columns to new places.
    bool FullDrag() const { return fullDrag_; }
    void SetFullDrag(bool fullDrag) { fullDrag_ = fullDrag; }
    // The selection stays visible while the list has no focus, when false.
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool hide) { hideSelection_ = hide; }
    // Icons come from the system's small-icon list (shared, never freed).
    bool SystemImages() const { return systemImages_; }
    void SetSystemImages(bool system) { systemImages_ = system; }
    const std::string& ColumnsSection() const { return columnsSection_; }
    void SetColumnsSection(const std::string& section) { columnsSection_ = section; }

    // TResultList
    void SetRowCount(int count) override;
    int SelectedRow() const override { return selectedRow_; }
    void SelectRow(int row) override;
    void RedrawRow(int row) override;
    void Invalidate() override;
    int RowCount() const { return rowCount_; }

    // Fills a row; false leaves it empty.
    std::function<bool(int row, TListRow& data)> OnData;
    // Whether a row is drawn in bold.
    std::function<bool(int row)> OnRowBold;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnSelectItem;

    // The peer reports what the user did.
    void SelectionChangedByUser(int row);
    void DoubleClicked();

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    TListViewPeer* ListPeer() const { return dynamic_cast<TListViewPeer*>(Peer()); }

    std::unique_ptr<TTypedCollection<TListColumn>> columns_;
    bool fullDrag_ = true;
    bool hideSelection_ = true;
    bool systemImages_ = false;
    std::string columnsSection_ = "View";
    int rowCount_ = 0;
    int selectedRow_ = -1;
};

}  // namespace nimbra
