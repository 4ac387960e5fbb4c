#pragma once

// The search frame: the input box, the result list and the commands around
// them (Windows only).
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "controls/ActnList.h"
#include "controls/ComCtrls.h"
#include "controls/ExtCtrls.h"
#include "controls/Forms.h"
#include "controls/ImgList.h"
#include "controls/Menus.h"
#include "controls/StdCtrls.h"
#include "search/ItemsView.h"
#include "search/NimbraTypes.h"
#include "search/RecentPeriods.h"

namespace nimbra {

class TCatalogueScan;
class TMyFolderMonitor;
class TShellBrowserEx;
class TTimer;
class TWindowDispatcher;
class TCustomFolder;
class TNewLocalizer;

class TNimbraFrame : public TFrame {
  public:
    // Builds the controls and runs the creation steps: the view state, the
    // include menu, the first scan, the stored date filter and the first
    // results.
    explicit TNimbraFrame(TComponent* owner);
    ~TNimbraFrame() override;

    // The controls and components, by their names.
    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabSheet1 = nullptr;
    TPanel* HeaderPanel = nullptr;
    TImage* HeaderImage = nullptr;
    TLabel* HeaderLabel = nullptr;
    TPanel* ToolbarPanel = nullptr;
    TToolBar* ToolBar1 = nullptr;
    TToolButton* RecentButton = nullptr;
    TToolButton* IncludeButton = nullptr;
    TToolButton* OpenButton = nullptr;
    TToolButton* HelpButton = nullptr;
    TPanel* BodyPanel = nullptr;
    TLabel* Label1 = nullptr;
    TEdit* Edit1 = nullptr;
    TLabel* Label2 = nullptr;
    TListViewEx* ListView1 = nullptr;
    TPopupMenu* ViewPopup = nullptr;
    TPopupMenu* ListPopup = nullptr;
    TMenuItem* ListIncludeItem = nullptr;
    TMenuItem* ListRecentItem = nullptr;
    TPopupMenu* IncludeMenu = nullptr;
    TPopupMenu* RecentMenu = nullptr;
    TCustomImageList* ActionImages = nullptr;
    TActionList* ActionList1 = nullptr;
    TActionList* CustomFolderActions = nullptr;
    TShellBrowserEx* ShellBrowserEx1 = nullptr;
    TTimer* Timer1 = nullptr;
    TNewLocalizer* NewLocalizer1 = nullptr;

    // The actions.
    TAction* CmdRun = nullptr;
    TAction* CmdClear = nullptr;
    TAction* ShowShellProperties = nullptr;
    TAction* ShowContainer = nullptr;
    TAction* ShowMenuContainer = nullptr;
    TAction* ExplorerMenu = nullptr;
    TAction* ViewToolbar = nullptr;
    TAction* ViewHeader = nullptr;
    TAction* ShowHelp = nullptr;
    TAction* AutoScroll = nullptr;
    TAction* AutoMinimize = nullptr;
    TAction* CustomizeFolders = nullptr;
    TAction* QuickAddFolder = nullptr;
    TAction* RecentOnly = nullptr;
    TAction* RecentLastDay = nullptr;
    TAction* RecentLastWeek = nullptr;
    TAction* RecentLastMonth = nullptr;
    TAction* RecentLastYear = nullptr;
    TAction* RecentCustom = nullptr;
    TAction* RecentCustomSelect = nullptr;
    TAction* RecentAll = nullptr;

    // Raised after every refresh of the results, and after the include
    // menus were rebuilt.
    TNotifyEvent OnFilterUpdate;
    TNotifyEvent OnIncludeMenuUpdate;

    // Fills any menu item with the include menu.
    void FillFolderMenu(TMenuItem& item);
    // Saves the folders configuration, rebuilds the include menu and scans
    // again (after the folders list was replaced).
    void ApplyFoldersChange();
    // Adds an entry for one location the user chooses ("&Add folder...").
    void QuickAddFolderExecute();
    // The translated texts that code sets: column titles, the header, hints.
    void Localize();

    // The catalogue and the view, for the window and for tests.
    TProgramMenuItems& Items() const { return *items_; }
    TItemsView& View() const { return *view_; }
    bool RecentActive() const { return recentActive_; }

    // The date filter (see SetRecent): the period in effect and the custom
    // period the user defined.
    TRecentPeriod Period() const { return period_; }
    int PeriodValue() const { return periodValue_; }
    TRecentPeriod CustomPeriod() const { return customPeriod_; }
    int CustomPeriodValue() const { return customPeriodValue_; }
    bool HasCustom() const { return hasCustom_; }
    bool UseCustom() const { return useCustom_; }
    // Switches the filter on with a period (value above 0), or off (0); the
    // results refresh and the state is stored.
    void SetRecent(int value, TRecentPeriod unit, bool rolling);

    bool HandleWindowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                             std::intptr_t& result) override;

  protected:
    void FontChanged() override;

  public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    // frNimbra.cpp: the controls, creation, view state, typing and keys.
    void CreateControls();
    void CreatePopupMenus();
    void ApplyViewState();
    void RefreshResults(bool select);
    void Refresh(bool rescan);
    void AdoptScan(TProgramMenuItems& scanned, std::exception_ptr error);
    // Refreshes the results with the selection kept by path, taking over a
    // scanned catalogue first when one is given.
    void RefreshKeepingPosition(TProgramMenuItems* scanned);
    void EditChange(TObject& sender);
    void EditKeyDown(TObject& sender, std::uint16_t& key, TShiftState shift);
    void EditKeyPress(TObject& sender, char32_t& key);
    void ListKeyPress(TObject& sender, char32_t& key);
    std::string ViewStateKey(const char* suffix) const;

    // frNimbra_Actions.cpp: the action table and the item commands.
    void CreateActions();
    TAction* MakeAction(const char* name, const char* caption, const char* hint, TShortCut shortCut,
                        int imageIndex);
    bool HoldingFormActive() const;
    TProgramMenuItem SelectedEntry() const;
    void CmdRunExecute();
    void CmdRunUpdate();
    void ItemActionUpdate(TObject& sender);
    void ExplorerMenuExecute();

    // frNimbra_Folders.cpp: the include menu, watching and rescans.
    void BuildIncludeMenu(bool firstTime);
    void UpdateIncludeMenus();
    void UpdateListState();
    void UpdateFolderHints();
    void AddMonitor(const std::string& folder);
    void SetWatchWrites(bool on);
    void CustomFolderActionExecute(TObject& sender);
    void ShowStartMenuExecute();
    void FolderChanged();
    void TimerStep();

    // frNimbra_Recent.cpp: the date filter.
    void CreateRecentActions();
    void FillRecentMenu(TMenuItem& item);
    void SaveRecent();
    void LoadRecent();
    void UpdateRecentMarks();
    void RecentCustomUpdate();
    void RecentCustomSelectExecute();

    std::unique_ptr<TWindowDispatcher> dispatcher_;
    std::unique_ptr<TProgramMenuItems> items_;
    std::unique_ptr<TItemsView> view_;
    // Declared after what its results reach, so that it goes first.
    std::unique_ptr<TCatalogueScan> scan_;
    std::vector<std::unique_ptr<TMyFolderMonitor>> monitors_;
    TRecentPeriod period_ = rpDay;
    int periodValue_ = 1;
    TRecentPeriod customPeriod_ = rpDay;
    int customPeriodValue_ = 1;
    bool hasCustom_ = false;
    bool useCustom_ = false;
    bool recentActive_ = false;
    bool watchWrites_ = false;
    bool rescanPending_ = false;
};

}  // namespace nimbra
