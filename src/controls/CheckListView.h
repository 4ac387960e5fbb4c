#pragma once

// A report list whose rows the program fills and the user selects (several
// at a time), ticks and drags to new places: the list of an editor, unlike
// the owner-data result list.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Collections.h"
#include "controls/ComCtrls.h"
#include "controls/Controls.h"

namespace nimbra {

// A row's check box: clear, ticked, or none at all.
enum TRowCheck { rcClear = 0, rcTicked = 1, rcNone = 2 };

struct TCheckListRow {
    std::string Caption;
    std::vector<std::string> SubItems;
    int ImageIndex = -1;
    TRowCheck Check = rcNone;
};

// Where the mark of a drag goes: 1 when the row under the cursor lies below
// the dragged row, 2 when above it or on it, 0 without a valid target.
int DropMark(int dragged, int target, bool valid);

// Which way a drag scrolls the list: -1 (one line up) when the cursor is
// less than `zone` pixels below the list's top edge, +1 when it is more
// than height - zone below it, 0 otherwise.
int DragScrollDirection(int cursorY, int clientHeight, int zone);

// What the window side of the list adds to its peer.
class TCheckListPeer {
  public:
    virtual void RowsChanged() = 0;
    virtual void RowChanged(int row) = 0;
    virtual void SelectionChanged() = 0;
    virtual void ColumnsChanged() = 0;

  protected:
    ~TCheckListPeer() = default;
};

class TCheckListView : public TWinControl {
  public:
    explicit TCheckListView(TComponent* owner);
    ~TCheckListView() override;

    TTypedCollection<TListColumn>* Columns() const { return columns_.get(); }
    void SetColumns(TTypedCollection<TListColumn>* columns);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value) { multiSelect_ = value; }
    bool CheckBoxes() const { return checkBoxes_; }
    void SetCheckBoxes(bool value) { checkBoxes_ = value; }
    // Rows are dragged to new places (the drag starts by itself).
    bool DragReorder() const { return dragReorder_; }
    void SetDragReorder(bool value) { dragReorder_ = value; }
    // Icons come from the system's small-icon list (shared, never freed).
    bool SystemImages() const { return systemImages_; }
    void SetSystemImages(bool value) { systemImages_ = value; }

    int RowCount() const { return static_cast<int>(rows_.size()); }
    const TCheckListRow& Rows(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    // Replaces every row; the selection is cleared.
    void SetRows(std::vector<TCheckListRow> rows);
    void SetRow(int row, TCheckListRow data);

    // Selected rows, ascending.
    const std::vector<int>& Selected() const { return selected_; }
    int SelectedCount() const { return static_cast<int>(selected_.size()); }
    int FocusedRow() const { return focused_; }
    // Selects the rows (rows outside the list are left out; one at most
    // without multi-selection) and focuses `focused`, or the first of them.
    void SelectRows(std::vector<int> rows, int focused = -1);

    TNotifyEvent OnSelectItem;
    TNotifyEvent OnDblClick;
    // The user changed the check box of `row`.
    std::function<void(int row, TRowCheck state)> OnCheckChanged;
    // May the user change the check box of `row`? (yes without a handler)
    std::function<bool(int row)> OnCanToggle;
    // The user dropped the dragged row on `target`.
    std::function<void(int dragged, int target)> OnDrop;

    // The peer reports what the user did.
    void SelectionChangedByUser(std::vector<int> rows, int focused);
    bool CanToggle(int row) const;
    void CheckChangedByUser(int row, TRowCheck state);
    void DoubleClicked(bool onCheckBox);
    // A drop on `target` is taken: only on a row, and on the dragged row
    // itself only with Ctrl held.
    bool CanDrop(int dragged, int target, bool ctrl) const;
    void DroppedByUser(int dragged, int target);

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    TCheckListPeer* ListPeer() const { return dynamic_cast<TCheckListPeer*>(Peer()); }
    void NormalizeSelection(std::vector<int>& rows) const;

    std::unique_ptr<TTypedCollection<TListColumn>> columns_;
    std::vector<TCheckListRow> rows_;
    std::vector<int> selected_;
    int focused_ = -1;
    bool multiSelect_ = false;
    bool checkBoxes_ = false;
    bool dragReorder_ = false;
    bool systemImages_ = false;
};

}  // namespace nimbra
