#include "controls/CheckListView.h"

#include <algorithm>

namespace nimbra {

int DropMark(int dragged, int target, bool valid) {
    if (!valid || target < 0)
        return 0;
    return target > dragged ? 1 : 2;
}

int DragScrollDirection(int cursorY, int clientHeight, int zone) {
    if (cursorY < zone)
        return -1;
    if (cursorY > clientHeight - zone)
        return +1;
    return 0;
}

TCheckListView::TCheckListView(TComponent* owner)
    : TWinControl(owner), columns_(std::make_unique<TTypedCollection<TListColumn>>()) {
    SetTabStop(true);
    columns_->OnUpdate = [this](TCollection&, TCollectionItem*) {
        if (TCheckListPeer* peer = ListPeer())
            peer->ColumnsChanged();
    };
}

TCheckListView::~TCheckListView() {
    columns_->OnUpdate = nullptr;
}

void TCheckListView::SetColumns(TTypedCollection<TListColumn>* columns) {
    if (columns != nullptr && columns != columns_.get())
        columns_->Assign(*columns);
}

void TCheckListView::SetRows(std::vector<TCheckListRow> rows) {
    rows_ = std::move(rows);
    selected_.clear();
    focused_ = -1;
    if (TCheckListPeer* peer = ListPeer())
        peer->RowsChanged();
}

void TCheckListView::SetRow(int row, TCheckListRow data) {
    if (row < 0 || row >= RowCount())
        return;
    rows_[static_cast<std::size_t>(row)] = std::move(data);
    if (TCheckListPeer* peer = ListPeer())
        peer->RowChanged(row);
}

void TCheckListView::NormalizeSelection(std::vector<int>& rows) const {
    std::erase_if(rows, [this](int row) { return row < 0 || row >= RowCount(); });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (!multiSelect_ && rows.size() > 1)
        rows.erase(rows.begin() + 1, rows.end());
}

void TCheckListView::SelectRows(std::vector<int> rows, int focused) {
    NormalizeSelection(rows);
    selected_ = std::move(rows);
    focused_ = std::find(selected_.begin(), selected_.end(), focused) != selected_.end()
                   ? focused
                   : (selected_.empty() ? -1 : selected_.front());
    if (TCheckListPeer* peer = ListPeer())
        peer->SelectionChanged();
}

void TCheckListView::SelectionChangedByUser(std::vector<int> rows, int focused) {
    NormalizeSelection(rows);
    if (rows == selected_ && focused == focused_)
        return;
    selected_ = std::move(rows);
    focused_ = focused >= 0 && focused < RowCount() ? focused : -1;
    if (OnSelectItem)
        OnSelectItem(*this);
}

bool TCheckListView::CanToggle(int row) const {
    if (row < 0 || row >= RowCount() || Rows(row).Check == rcNone)
        return false;
    return !OnCanToggle || OnCanToggle(row);
}

void TCheckListView::CheckChangedByUser(int row, TRowCheck state) {
    if (row < 0 || row >= RowCount() || Rows(row).Check == state)
        return;
    rows_[static_cast<std::size_t>(row)].Check = state;
    if (OnCheckChanged)
        OnCheckChanged(row, state);
}

void TCheckListView::DoubleClicked(bool onCheckBox) {
    if (!onCheckBox && OnDblClick)
        OnDblClick(*this);
}

bool TCheckListView::CanDrop(int dragged, int target, bool ctrl) const {
    if (!dragReorder_ || dragged < 0 || dragged >= RowCount() || target < 0 || target >= RowCount())
        return false;
    return target != dragged || ctrl;
}

void TCheckListView::DroppedByUser(int dragged, int target) {
    if (OnDrop)
        OnDrop(dragged, target);
}

const TClassInfo& TCheckListView::StaticClassInfo() {
    using T = TCheckListView;
    static const TClassInfo info("TCheckListView", &TWinControl::StaticClassInfo(),
                                 {Published("Columns", &T::Columns, &T::SetColumns)});
    return info;
}

}  // namespace nimbra
