#include "shortcuts/frAppShortCutsView.h"

#include <algorithm>

#include "shortcuts/AppShortcuts.h"
#include "utils/NewLangUtils.h"
#include "utils/NewLangUtilsTexts.h"
#include "utils/WindowPlacement.h"

namespace nimbra {

std::string ShortCutColumnText(const TAppShortCut& shortCut) {
    std::string text = shortCut.ShortCutText();
    const TAppShortCutsManager* manager = AppShortCutsManager();
    const TAppShortCut* live =
        manager != nullptr ? manager->Items().FindTitle(shortCut.Title()) : nullptr;
    if (live != nullptr && live->Active() && live->Enabled() && live->ShortCut() != 0 &&
        !live->IsRegistered() && shortCut.Enabled() && shortCut.ShortCut() == live->ShortCut())
        text += "  (" + GetLocalizedString(CodeText("AppShortCutsView", "InUse")) + ")";
    return text;
}

TAppShortCutsView::TAppShortCutsView(TComponent* owner) : TFrame(owner) {
    SetName("AppShortCutsView1");
    SetBounds(0, 0, 400, 200);
    SetHint(
        "This is a list of system-wide keyboard shortcuts available in this application. Remove a "
        "checkmark to disable the particular shortcut. Double-click a shortcut to edit its "
        "properties.");
    ListView1 = MakeControl<TCheckListView>(this, this, "ListView1", Bounds(0, 0, 400, 200));
    ListView1->SetAlign(alClient);
    ListView1->SetCheckBoxes(true);
    ListView1->SetHint(Hint());
    TListColumn* title = ListView1->Columns()->Add();
    title->SetWidth(240);
    TListColumn* shortCut = ListView1->Columns()->Add();
    shortCut->SetWidth(140);
    shortCut->SetAutoSize(true);
    LocalizeColumns();
    ListView1->OnCheckChanged = [this](int row, TRowCheck state) {
        if (updating_ || ComponentState().Contains(csDestroying) || row < 0 ||
            row >= static_cast<int>(rowItems_.size()))
            return;
        if (OnEnabledChange)
            OnEnabledChange(*this, *rowItems_[static_cast<std::size_t>(row)], state == rcTicked);
    };
    ListView1->OnDblClick = [this](TObject&) {
        if (OnDblClick)
            OnDblClick(*this);
    };
}

TAppShortCutsView::~TAppShortCutsView() {
    SetShortCuts(nullptr);
}

void TAppShortCutsView::LocalizeColumns() {
    ListView1->Columns()->Items(0)->SetCaption(
        GetLocalizedString(CodeText("AppShortCutsView", "Title")));
    ListView1->Columns()->Items(1)->SetCaption(
        GetLocalizedString(CodeText("AppShortCutsView", "Shortcut")));
}

void TAppShortCutsView::SetShortCuts(TAppShortCuts* shortCuts) {
    if (shortCuts_ != nullptr)
        shortCuts_->OnUpdate = nullptr;
    shortCuts_ = shortCuts;
    if (shortCuts_ != nullptr) {
        shortCuts_->OnUpdate = [this](TCollection&, TCollectionItem* item) {
            if (ComponentState().Contains(csDestroying))
                return;
            if (auto* shortCut = dynamic_cast<TAppShortCut*>(item))
                RewriteRow(*shortCut);
            else
                Refill();
        };
    }
    Refill();
}

TCheckListRow TAppShortCutsView::RowOf(const TAppShortCut& shortCut) const {
    TCheckListRow row;
    row.Caption = shortCut.Description();
    row.SubItems = {ShortCutColumnText(shortCut)};
    row.Check = shortCut.Enabled() ? rcTicked : rcClear;
    return row;
}

void TAppShortCutsView::Refill() {
    std::vector<TAppShortCut*> items;
    if (shortCuts_ != nullptr) {
        for (int i = 0; i < shortCuts_->Count(); ++i)
            items.push_back(shortCuts_->Items(i));
    }
    SetSortedRows(std::move(items));
}

void TAppShortCutsView::SetSortedRows(std::vector<TAppShortCut*> items) {
    std::stable_sort(items.begin(), items.end(), [](const TAppShortCut* a, const TAppShortCut* b) {
        return a->Description() < b->Description();
    });
    std::vector<TCheckListRow> rows;
    rows.reserve(items.size());
    for (const TAppShortCut* item : items)
        rows.push_back(RowOf(*item));
    int selectRow = items.empty() ? -1 : 0;
    if (const TAppShortCut* selected = Selected()) {
        const auto kept = std::find(items.begin(), items.end(), selected);
        if (kept != items.end())
            selectRow = static_cast<int>(kept - items.begin());
    }
    updating_ = true;
    rowItems_ = std::move(items);
    ListView1->SetRows(std::move(rows));
    if (selectRow >= 0)
        ListView1->SelectRows({selectRow});
    updating_ = false;
}

// Only the row changes: the change may come from the row's own check box,
// in the middle of the list's notification.
void TAppShortCutsView::RewriteRow(const TAppShortCut& shortCut) {
    const auto found = std::find(rowItems_.begin(), rowItems_.end(), &shortCut);
    if (found == rowItems_.end()) {
        Refill();
        return;
    }
    const int row = static_cast<int>(found - rowItems_.begin());
    updating_ = true;
    ListView1->SetRow(row, RowOf(shortCut));
    ListView1->SelectRows({row});
    updating_ = false;
}

TAppShortCut* TAppShortCutsView::Selected() const {
    const int row = ListView1->FocusedRow();
    if (ListView1->SelectedCount() == 0 || row < 0 || row >= static_cast<int>(rowItems_.size()))
        return nullptr;
    return rowItems_[static_cast<std::size_t>(row)];
}

void TAppShortCutsView::DoEnter() {
    TFrame::DoEnter();
    ListView1->SetFocus();
}

const TClassInfo& TAppShortCutsView::StaticClassInfo() {
    static const TClassInfo info("TAppShortCutsView", &TFrame::StaticClassInfo());
    return info;
}

}  // namespace nimbra
