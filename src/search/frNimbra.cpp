#include "search/frNimbra.h"

#include <windows.h>

#include "base/ErrorDisplay.h"
#include "base/WindowDispatcher_win.h"
#include "controls/Dialogs_win.h"
#include "controls/Timer_win.h"
#include "folders/NimbraFoldersCfg.h"
#include "search/CatalogueScan.h"
#include "shell/MyFolderMonitor.h"
#include "shell/ShellBrowserEx_win.h"
#include "shell/ShellImageList_win.h"
#include "utils/ConfigUtils.h"
#include "utils/NewLangUtilsTexts.h"

namespace nimbra {

namespace {

constexpr char kViewStateSection[] = "View state";
constexpr char kProductName[] = "Nimbra";

// The frame's private messages.
constexpr UINT kRefreshWithRescanMessage = WM_USER + 1;
constexpr UINT kTimerStepMessage = WM_USER + 2;

// The design of the frame, in 96-dpi pixels.
constexpr int kFrameWidth = 440;
constexpr int kFrameHeight = 420;
constexpr int kHeaderHeight = 45;
constexpr int kToolbarHeight = 41;
constexpr int kBodyHeight = kFrameHeight - kHeaderHeight - kToolbarHeight - 24;
constexpr int kMargin = 8;

template <class T>
T* Make(TComponent* owner, TWinControl* parent, const char* name) {
    auto* control = new T(owner);
    control->SetName(name);
    control->SetParent(parent);
    return control;
}

bool IsNavigationKey(std::uint16_t key) {
    switch (key) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END:
        case VK_RETURN:
            return true;
        default:
            return false;
    }
}

// Where icons of entries come from: the shell looks at the real file (on
// the loader's thread).
int ShellIconOf(const std::string& path) {
    return GetFileIconIndex(path);
}

}  // namespace

TNimbraFrame::TNimbraFrame(TComponent* owner) : TFrame(owner) {
    SetName("NimbraFrame1");
    SetBounds(0, 0, kFrameWidth, kFrameHeight);
    Constraints()->SetMinWidth(245);
    Constraints()->SetMinHeight(240);
    SetHint("!App.HowToUse.Nimbra");
    CreateControls();
    CreateActions();
    CreatePopupMenus();

    // 1. The catalogue and the view, linked to the list and to each other.
    dispatcher_ = std::make_unique<TWindowDispatcher>();
    items_ = std::make_unique<TProgramMenuItems>([] { return GetFileTypeIconIndex(".", false); });
    view_ = std::make_unique<TItemsView>(*dispatcher_, &ShellIconOf);
    view_->SetListView(ListView1);
    view_->SetItems(items_.get());
    scan_ = std::make_unique<TCatalogueScan>(
        *dispatcher_, [this](TProgramMenuItems& scanned, std::exception_ptr error) {
            AdoptScan(scanned, error);
        });
    // 2. The view state.
    ViewToolbar->SetChecked(
        AppIni().ReadBool(kViewStateSection, ViewStateKey(".Nimbra.Toolbar"), true));
    ViewHeader->SetChecked(
        AppIni().ReadBool(kViewStateSection, ViewStateKey(".Nimbra.Header"), true));
    ApplyViewState();
    // 3. The include menu.
    BuildIncludeMenu(true);
    // 4. The first scan; what it found so far is used when it fails.
    try {
        items_->Rescan(*FoldersCfg->Folders());
    } catch (const std::exception& e) {
        MessageDlg(GetLocalizedString(CodeText("Nimbra", "ErrorLoading")) + "\n" + e.what(),
                   mtError, mbOK);
    }
    // 5.-8. The stored filter, the first results, the request selected.
    LoadRecent();
    RefreshResults(true);
    Edit1->SelectAll();
    HeaderLabel->SetCaption(kProductName);
    UpdateListState();
    Localize();
}

TNimbraFrame::~TNimbraFrame() {
    scan_.reset();
    monitors_.clear();
    view_.reset();
    items_.reset();
    AppIni().WriteBool(kViewStateSection, ViewStateKey(".Nimbra.Toolbar"), ViewToolbar->Checked());
    AppIni().WriteBool(kViewStateSection, ViewStateKey(".Nimbra.Header"), ViewHeader->Checked());
}

std::string TNimbraFrame::ViewStateKey(const char* suffix) const {
    return (Owner() != nullptr ? Owner()->Name() : std::string()) + suffix;
}

void TNimbraFrame::CreateControls() {
    Font()->SetName("Tahoma");
    Font()->SetHeight(-11);

    PageControl1 = Make<TPageControl>(this, this, "PageControl1");
    PageControl1->SetBounds(0, 0, kFrameWidth, kFrameHeight);
    PageControl1->SetAlign(alClient);
    TabSheet1 = Make<TTabSheet>(this, PageControl1, "TabSheet1");
    TabSheet1->SetCaption(kProductName);
    PageControl1->SetActivePage(TabSheet1);

    ActionImages = new TCustomImageList(this);
    ActionImages->SetName("ActionImages");
    for (const char* picture : {"ACTION_OPEN", "ACTION_RECENT", "ACTION_INCLUDE", "ACTION_HELP"})
        ActionImages->Add(picture);

    HeaderPanel = Make<TPanel>(this, TabSheet1, "HeaderPanel");
    HeaderPanel->SetBounds(0, 0, kFrameWidth, kHeaderHeight);
    HeaderPanel->SetAlign(alTop);
    HeaderImage = Make<TImage>(this, HeaderPanel, "HeaderImage");
    HeaderImage->SetBounds(8, 8, 32, 32);
    HeaderImage->SetIconName("MAINICON");
    HeaderLabel = Make<TLabel>(this, HeaderPanel, "HeaderLabel");
    HeaderLabel->SetBounds(48, 12, 60, 23);

    ToolbarPanel = Make<TPanel>(this, TabSheet1, "ToolbarPanel");
    ToolbarPanel->SetBounds(0, kHeaderHeight, kFrameWidth, kToolbarHeight);
    ToolbarPanel->SetAlign(alTop);
    ToolBar1 = Make<TToolBar>(this, ToolbarPanel, "ToolBar1");
    ToolBar1->SetBounds(kMargin, 8, 355, 25);
    ToolBar1->SetImages(ActionImages);
    RecentButton = Make<TToolButton>(this, ToolBar1, "RecentButton");
    RecentButton->SetBounds(0, 0, 100, 25);  // 85 and its 15-pixel arrow
    RecentButton->SetStyle(tbsDropDown);
    IncludeButton = Make<TToolButton>(this, ToolBar1, "IncludeButton");
    IncludeButton->SetBounds(100, 0, 85, 25);
    IncludeButton->SetStyle(tbsDropDown);
    IncludeButton->SetWholeDropDown(true);
    IncludeButton->SetImageIndex(2);
    OpenButton = Make<TToolButton>(this, ToolBar1, "OpenButton");
    OpenButton->SetBounds(185, 0, 85, 25);
    HelpButton = Make<TToolButton>(this, ToolBar1, "HelpButton");
    HelpButton->SetBounds(270, 0, 85, 25);

    BodyPanel = Make<TPanel>(this, TabSheet1, "BodyPanel");
    BodyPanel->SetBounds(0, 0, kFrameWidth, kBodyHeight);
    BodyPanel->SetAlign(alClient);
    const int width = kFrameWidth - 2 * kMargin;
    TFont bold;
    bold.Assign(*Font());
    bold.SetStyle({fsBold});
    // Each label stands directly before the control its "&" key focuses, so
    // that screen readers name the control by it.
    Label1 = Make<TLabel>(this, BodyPanel, "Label1");
    Label1->SetBounds(kMargin, 8, 150, 13);
    Label1->SetFont(&bold);
    Label1->SetCaption("&What do you want to find?");
    Edit1 = Make<TEdit>(this, BodyPanel, "Edit1");
    Edit1->SetBounds(kMargin, 24, width, 21);
    Edit1->SetAnchors({akLeft, akTop, akRight});
    Edit1->SetHideSelection(false);
    Edit1->SetHint("!App.Dialogs.Nimbra.InputBox");
    Label1->SetFocusControl(Edit1);
    Label2 = Make<TLabel>(this, BodyPanel, "Label2");
    Label2->SetBounds(kMargin, 53, 300, 13);
    Label2->SetCaption("&Applications, documents and Internet Favorites matching your request:");
    ListView1 = Make<TListViewEx>(this, BodyPanel, "ListView1");
    ListView1->SetBounds(kMargin, 69, width, kBodyHeight - 69 - kMargin);
    ListView1->SetAnchors({akLeft, akTop, akRight, akBottom});
    ListView1->SetHideSelection(false);
    ListView1->SetSystemImages(true);
    ListView1->SetHint("!App.Dialogs.Nimbra.SearchResultsBox");
    Label2->SetFocusControl(ListView1);
    const struct {
        const char* Caption;
        int Width;
        bool AutoSize;
    } columns[] = {{"Title", 180, true}, {"Path", 180, true}, {"Changed", 150, false}};
    for (const auto& c : columns) {
        TListColumn* column = ListView1->Columns()->Add();
        column->SetCaption(c.Caption);
        column->SetWidth(c.Width);
        column->SetAutoSize(c.AutoSize);
    }

    Edit1->OnChange = [this](TObject& sender) { EditChange(sender); };
    Edit1->OnKeyDown = [this](TObject& sender, std::uint16_t& key, TShiftState shift) {
        EditKeyDown(sender, key, shift);
    };
    Edit1->OnKeyPress = [this](TObject& sender, char32_t& key) { EditKeyPress(sender, key); };
    ListView1->OnKeyPress = [this](TObject& sender, char32_t& key) { ListKeyPress(sender, key); };
    ListView1->OnData = [this](int row, TListRow& data) {
        TRowData texts;
        if (!view_->FillRow(row, texts))
            return false;
        data.Caption = std::move(texts.Caption);
        data.Indent = texts.Indent;
        data.SubItems = {std::move(texts.Path), std::move(texts.Changed)};
        data.ImageIndex = texts.ImageIndex;
        return true;
    };
    ListView1->OnRowBold = [this](int row) { return view_->DrawRow(row); };
    ListView1->OnDblClick = [this](TObject&) { CmdRun->Execute(); };

    Timer1 = new TTimer(this);
    Timer1->SetName("Timer1");
    Timer1->OnTimer = [this](TObject&) { TimerStep(); };
    ShellBrowserEx1 = new TShellBrowserEx(this);
    ShellBrowserEx1->SetName("ShellBrowserEx1");
    // The window's localizer translates the frame's components; this one
    // puts back what code sets after each pass.
    NewLocalizer1 = new TNewLocalizer(this);
    NewLocalizer1->SetName("NewLocalizer1");
    NewLocalizer1->OnLocalize = [this](TNewLocalizer&) { Localize(); };
    FontChanged();
}

void TNimbraFrame::FontChanged() {
    TFrame::FontChanged();
    if (HeaderLabel == nullptr)
        return;
    // The product name is drawn at seven fourths of the frame's font size.
    TFont header;
    header.Assign(*Font());
    header.SetStyle({fsBold});
    header.SetSize(Font()->Size() * 7 / 4);
    HeaderLabel->SetFont(&header);
}

void TNimbraFrame::CreatePopupMenus() {
    const auto addItem = [this](TMenuItem& parent, TAction* action) {
        auto* item = new TMenuItem(this);
        if (action != nullptr)
            item->SetAction(action);
        else
            item->SetCaption("-");
        parent.Add(item);
        return item;
    };

    ViewPopup = new TPopupMenu(this);
    ViewPopup->SetName("ViewPopup");
    addItem(*ViewPopup->Items(), ViewHeader);
    addItem(*ViewPopup->Items(), ViewToolbar);
    HeaderPanel->SetPopupMenu(ViewPopup);
    ToolbarPanel->SetPopupMenu(ViewPopup);
    HeaderLabel->SetPopupMenu(ViewPopup);
    ToolBar1->SetPopupMenu(ViewPopup);

    IncludeMenu = new TPopupMenu(this);
    IncludeMenu->SetName("IncludeMenu");
    IncludeButton->SetDropdownMenu(IncludeMenu);
    RecentMenu = new TPopupMenu(this);
    RecentMenu->SetName("RecentMenu");
    RecentMenu->Items()->SetAutoHotkeys(false);
    RecentMenu->Items()->SetAutoLineReduction(false);
    FillRecentMenu(*RecentMenu->Items());
    RecentButton->SetDropdownMenu(RecentMenu);

    ListPopup = new TPopupMenu(this);
    ListPopup->SetName("ListPopup");
    TMenuItem& items = *ListPopup->Items();
    addItem(items, CmdRun)->SetDefault(true);
    addItem(items, ShowMenuContainer);
    addItem(items, ShowContainer);
    addItem(items, nullptr);
    ListIncludeItem = addItem(items, nullptr);
    ListIncludeItem->SetName("ListIncludeItem");
    ListIncludeItem->SetCaption("Include folders");
    ListIncludeItem->SetHint(
        "!App.Dialogs.Nimbra.FoldersMenu|Select the folders you would like to search.");
    ListRecentItem = addItem(items, nullptr);
    ListRecentItem->SetName("ListRecentItem");
    ListRecentItem->SetCaption("Show items added/modified in");
    ListRecentItem->SetHint("!App.Dialogs.Nimbra.RecentMenu|Filter search results by date.");
    FillRecentMenu(*ListRecentItem);
    addItem(items, nullptr);
    addItem(items, AutoScroll);
    addItem(items, AutoMinimize);
    addItem(items, nullptr);
    addItem(items, ExplorerMenu);
    addItem(items, ShowShellProperties);
    ListView1->SetPopupMenu(ListPopup);
}

void TNimbraFrame::ApplyViewState() {
    ToolbarPanel->SetVisible(ViewToolbar->Checked());
    HeaderPanel->SetVisible(ViewHeader->Checked());
}

// ---- results ------------------------------------------------------------------------------

void TNimbraFrame::RefreshResults(bool select) {
    view_->ApplyFilter(Edit1->Text(), recentActive_, periodValue_, period_, useCustom_, select,
                       AutoScroll->Checked());
    if (OnFilterUpdate)
        OnFilterUpdate(*this);
}

// A rescan reads the disk on its own thread (a large tree takes seconds);
// the list keeps showing, and answering, the catalogue it has until the new
// one is adopted.
void TNimbraFrame::Refresh(bool rescan) {
    if (rescan) {
        scan_->Start(IncludedRoots(*FoldersCfg->Folders()));
        return;
    }
    RefreshKeepingPosition(nullptr);
}

void TNimbraFrame::AdoptScan(TProgramMenuItems& scanned, std::exception_ptr error) {
    RefreshKeepingPosition(&scanned);
    // What was read before the error is shown; the error goes to the
    // application's error display.
    if (error)
        std::rethrow_exception(error);
}

void TNimbraFrame::RefreshKeepingPosition(TProgramMenuItems* scanned) {
    const std::optional<TItemsViewPos> position = view_->SavePosition();
    if (scanned != nullptr)
        items_->Adopt(*scanned);
    RefreshResults(false);
    view_->RestorePosition(position);
    ListView1->Invalidate();
}

// ---- typing and keys --------------------------------------------------------------------------

void TNimbraFrame::EditChange(TObject&) {
    RefreshResults(true);
}

// The keys that move through the results go to the list, so the user
// never has to leave the input box; with a modifier they stay here (Shift
// selects text).
void TNimbraFrame::EditKeyDown(TObject&, std::uint16_t& key, TShiftState shift) {
    if (!shift.Empty() || !IsNavigationKey(key))
        return;
    ListView1->PostWindowMessage(WM_KEYDOWN, key, 1);
    ListView1->PostWindowMessage(WM_KEYUP, key, 0xC0000001);
    key = 0;
}

void TNimbraFrame::EditKeyPress(TObject&, char32_t& key) {
    if (key == U'\r') {
        key = 0;
    } else if (key == 127) {  // Ctrl+Backspace
        key = 0;
        CmdClear->Execute();
    }
}

void TNimbraFrame::ListKeyPress(TObject&, char32_t& key) {
    // Typing goes on in the input box, at its caret.
    const char32_t typed = key;
    key = 0;
    Edit1->SetAutoSelect(false);
    Edit1->SetFocus();
    Edit1->SetAutoSelect(true);
    Edit1->PostWindowMessage(WM_CHAR, typed, 1);
}

bool TNimbraFrame::HandleWindowMessage(unsigned message, std::uintptr_t wParam,
                                       std::intptr_t lParam, std::intptr_t& result) {
    switch (message) {
        case kRefreshWithRescanMessage:
            Refresh(true);
            result = 0;
            return true;
        case kTimerStepMessage:
            TimerStep();
            result = 0;
            return true;
        case WM_DISPLAYCHANGE:
            PostWindowMessage(kRefreshWithRescanMessage);
            return false;
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_INITMENUPOPUP: {
            // The shell's context menu draws through its owner, this frame.
            LRESULT answer = 0;
            if (ShellBrowserEx1->HandleMenuMessage(message, wParam, lParam, answer)) {
                result = answer;
                return true;
            }
            return false;
        }
        default:
            return false;
    }
}

// ---- language ---------------------------------------------------------------------------------

void TNimbraFrame::Localize() {
    UpdateListState();
    UpdateFolderHints();
    const TCodeText* const titles[] = {&CodeText("Nimbra", "TitleColumn"),
                                       &CodeText("Nimbra", "PathColumn"),
                                       &CodeText("Nimbra", "ChangedColumn")};
    for (int i = 0; i < 3; ++i)
        ListView1->Columns()->Items(i)->SetCaption(GetLocalizedString(*titles[i]));
    HeaderLabel->SetCaption(kProductName);
}

const TClassInfo& TNimbraFrame::StaticClassInfo() {
    static const TClassInfo info("TNimbraFrame", &TFrame::StaticClassInfo());
    return info;
}

}  // namespace nimbra
