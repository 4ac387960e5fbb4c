#pragma once

// The list of the program's system-wide shortcuts with a check box each
// (Windows only). It follows the collection it shows.
#include <functional>
#include <string>
#include <vector>

#include "controls/CheckListView.h"
#include "controls/Forms.h"

namespace nimbra {

class TAppShortCut;
class TAppShortCuts;

using TEnabledChangeEvent =
    std::function<void(TObject& sender, TAppShortCut& shortCut, bool enabled)>;

// What the list shows in the "Shortcut" column: the combination, marked
// when the program's live shortcut of that title is enabled but another
// program holds its combination (the copy must still have the live values,
// or the mark would describe a combination not yet tried).
std::string ShortCutColumnText(const TAppShortCut& shortCut);

class TAppShortCutsView : public TFrame {
  public:
    explicit TAppShortCutsView(TComponent* owner);
    ~TAppShortCutsView() override;

    TCheckListView* ListView1 = nullptr;

    TAppShortCuts* ShortCuts() const { return shortCuts_; }
    void SetShortCuts(TAppShortCuts* shortCuts);
    // The shortcut of the selected row, or nullptr.
    TAppShortCut* Selected() const;
    bool HasSelection() const { return Selected() != nullptr; }

    TEnabledChangeEvent OnEnabledChange;
    TNotifyEvent OnDblClick;

    void DoEnter() override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    void Refill();
    void RewriteRow(const TAppShortCut& shortCut);
    TCheckListRow RowOf(const TAppShortCut& shortCut) const;
    // Rows sorted by their title; the previously selected shortcut stays
    // selected, else the first row.
    void SetSortedRows(std::vector<TAppShortCut*> items);
    void LocalizeColumns();

    TAppShortCuts* shortCuts_ = nullptr;
    std::vector<TAppShortCut*> rowItems_;
    bool updating_ = false;
};

}  // namespace nimbra
