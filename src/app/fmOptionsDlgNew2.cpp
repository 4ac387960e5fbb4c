#include "app/fmOptionsDlgNew2.h"

#include <windows.h>

#include <algorithm>

#include "app/frOptionsPage.h"
#include "base/WaitCursor.h"
#include "controls/Forms_win.h"
#include "help/HelpUtilsEx.h"
#include "utils/AppIniForm_win.h"
#include "utils/NewLangUtils.h"
#include "utils/WindowPlacement.h"

namespace nimbra {

namespace {
constexpr int kWidth = 560;
constexpr int kHeight = 420;
constexpr int kMargin = 8;
constexpr int kListWidth = 110;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
}  // namespace

TOptionsDlgNew2::TOptionsDlgNew2(TComponent* owner, TOptionsDialog2& dialog)
    : TForm(owner), dialog_(dialog) {
    SetName("OptionsDlgNew2");
    const std::string title = Application != nullptr && !Application->Title().empty()
                                  ? Application->Title()
                                  : std::string("Nimbra");
    SetCaption(title + " options...");
    SetBorderIcons({biSystemMenu});
    SetPosition(poScreenCenter);
    SetClientSize(kWidth, kHeight);
    SetHint("!App.Dialogs.Options");
    AppIniFormFont1 = new TAppIniFormFont(this);
    AppIniFormFont1->SetName("AppIniFormFont1");
    if (!dialog.DlgFontList().empty())
        AppIniFormFont1->SetFontList(dialog.DlgFontList());
    AppIniFormPos1 = new TAppIniFormPos(this);
    AppIniFormPos1->SetName("AppIniFormPos1");
    AppIniFormPos1->SetSection("View state");
    AppIniFormPos1->SetInitSize(dialog.InitialSize());
    ApplyInitialSize();
    // The frames first: the window grows to hold the largest page at its
    // designed size before the controls are placed around the page area.
    pages_.CreatePages(*dialog_.Pages(), this);
    FitPages();
    CreateControls();
    for (int i = 0; i < pages_.Count(); ++i)
        PlaceFrame(pages_.Frame(i));
    PageTitlesChanged();
    NewLocalizer1 = new TNewLocalizer(this);
    NewLocalizer1->SetName("NewLocalizer1");
    NewLocalizer1->OnLocalize = [this](TNewLocalizer&) { PageTitlesChanged(); };
    FinishLoading(*this);
    OnShow = [this](TObject&) { FormShown(); };
    OnHide = [this](TObject&) { FormHidden(); };
    // The close box and Alt+F4 cancel, if every page agrees.
    OnCloseQuery = [this](TObject&, bool& canClose) { canClose = PagesAgree(mrCancel); };
}

void TOptionsDlgNew2::CreateControls() {
    const int width = DesignClientSize().Width;
    const int bottom = DesignClientSize().Height - kMargin - kButtonHeight;
    PageList = MakeControl<TPageListBox>(
        this, this, "PageList", Bounds(kMargin, kMargin, kListWidth, bottom - 2 * kMargin));
    PageList->SetAnchors({akLeft, akTop, akBottom});
    PageList->SetImages(dialog_.Images());
    PageList->SetHint("Option pages");
    PageList->OnChange = [this](TObject&) { ShowPage(PageList->ItemIndex()); };

    const int pageLeft = 2 * kMargin + kListWidth;
    PagePanel = MakeControl<TPanel>(
        this, this, "PagePanel",
        Bounds(pageLeft, kMargin, width - pageLeft - kMargin, bottom - 2 * kMargin));
    PagePanel->SetAnchors({akLeft, akTop, akRight, akBottom});

    const auto button = [&](const char* name, const char* text, int fromRight) {
        auto* b = MakeControl<TButton>(
            this, this, name,
            Bounds(width - kMargin - fromRight * (kButtonWidth + 6) - kButtonWidth, bottom,
                   kButtonWidth, kButtonHeight));
        b->SetCaption(text);
        b->SetAnchors({akRight, akBottom});
        return b;
    };
    // Without the Help button, OK and Cancel move to the right.
    const int shift = dialog_.ShowHelpButton() ? 1 : 0;
    OKButton = button("OKButton", "OK", 1 + shift);
    OKButton->SetDefault(true);
    OKButton->OnClick = [this](TObject&) { CloseWith(mrOk); };
    CancelButton = button("CancelButton", "Cancel", shift);
    CancelButton->SetCancel(true);
    CancelButton->OnClick = [this](TObject&) { CloseWith(mrCancel); };
    HelpButton = button("HelpButton", "&Help", 0);
    HelpButton->SetVisible(dialog_.ShowHelpButton());
    HelpButton->OnClick = [this](TObject&) {
        const TOptionsPageFrame* frame = pages_.ActiveFrame();
        ShowHelp(frame != nullptr ? frame->GetHelpTopic() : std::string("!App"));
    };
    HelpButton->SetEnabled(HasHelpViewer());

    ActionList1 = new TActionList(this);
    ActionList1->SetName("ActionList1");
    const auto paging = [this](const char* name, TShortCut key, int delta) {
        auto* action = new TAction(this);
        action->SetName(name);
        action->SetShortCut(scCtrl | key);
        action->SetActionList(ActionList1);
        action->OnExecute = [this, delta](TObject&) { ShowPage(pages_.Neighbour(delta)); };
        return action;
    };
    NextPageAction = paging("NextPageAction", VK_NEXT, 1);
    PreviousPageAction = paging("PreviousPageAction", VK_PRIOR, -1);
}

void TOptionsDlgNew2::FitPages() {
    int width = DesignClientSize().Width;
    int height = DesignClientSize().Height;
    for (int i = 0; i < pages_.Count(); ++i) {
        const TOptionsPageFrame& frame = pages_.Frame(i);
        width = std::max(width, frame.Width() + 3 * kMargin + kListWidth);
        height = std::max(height, frame.Height() + 3 * kMargin + kButtonHeight);
    }
    SetClientSize(width, height);
}

void TOptionsDlgNew2::PlaceFrame(TOptionsPageFrame& frame) {
    frame.SetParent(PagePanel);
    frame.SetTabStop(false);
    frame.SetVisible(false);
    frame.SetAlign(alClient);
}

void TOptionsDlgNew2::PageTitlesChanged() {
    std::vector<TPageListItem> items;
    for (int i = 0; i < pages_.Count(); ++i) {
        const TOptionsPage2* page = pages_.Frame(i).Page();
        items.push_back({pages_.Title(i), page != nullptr ? page->ImageIn(dialog_.Images()) : -1});
    }
    PageList->SetItems(std::move(items));
    PageList->SetItemIndex(pages_.ActiveIndex());
}

bool TOptionsDlgNew2::ShowPage(int index) {
    if (index < 0 || index >= pages_.Count())
        return false;
    if (TOptionsPageFrame* old = pages_.ActiveFrame();
        old != nullptr && old != &pages_.Frame(index))
        old->SetVisible(false);
    pages_.Frame(index).SetVisible(true);
    PageList->SetItemIndex(index);
    pages_.Activate(index);
    PageList->SetHint(pages_.ListHint("Option pages"));
    return true;
}

bool TOptionsDlgNew2::PagesAgree(TModalResult result) {
    int show = -1;
    if (pages_.CanClose(result, show))
        return true;
    ShowPage(show);
    return false;
}

void TOptionsDlgNew2::CloseWith(TModalResult result) {
    if (!PagesAgree(result))
        return;
    // A modal run ends with the result; a modeless form hides itself.
    SetModalResult(result);
    if (!dialog_.Modal())
        Hide();
}

// The first size the component asks for, before the window and its stored
// place exist; in 96-dpi pixels like every design size, so the window
// layer scales it to the window's resolution.
void TOptionsDlgNew2::ApplyInitialSize() {
    int width = dialog_.InitialWidth();
    int height = dialog_.InitialHeight();
    if (width == 0 && height == 0)
        return;
    const TSize designed = DesignClientSize();
    if (width == 0)
        width = MulDivRound(height, designed.Width, designed.Height);
    if (height == 0)
        height = MulDivRound(width, designed.Height, designed.Width);
    SetClientSize(width, height);
}

void TOptionsDlgNew2::FormShown() {
    shown_ = true;
    SetModalResult(mrNone);
    const std::string start = !startPage_.empty() ? startPage_ : dialog_.StartPageTitle();
    startPage_.clear();
    const TWaitCursor wait;
    // The settings are loaded before the first page is told it is shown, so
    // a page that reads on its first showing (Shell) is not reset after it
    // was read when it comes first.
    pages_.LoadAll();
    ShowPage(pages_.FirstPage(start, StoredActivePage(dialog_.Name())));
    if (TOptionsPageFrame* frame = pages_.ActiveFrame())
        frame->SetFocus();
}

void TOptionsDlgNew2::FormHidden() {
    if (!shown_)
        return;
    shown_ = false;
    const bool accepted = ModalResult() == mrOk;
    pages_.Finish(accepted);
    dialog_.OptionsClosed(accepted);
    pages_.Hidden();
    if (pages_.ActiveIndex() >= 0)
        StoreActivePage(dialog_.Name(), pages_.Title(pages_.ActiveIndex()));
    // A form kept for the next run shows its first page anew.
    if (TOptionsPageFrame* frame = pages_.ActiveFrame())
        frame->SetVisible(false);
    pages_.Deactivate();
    dialog_.FormFinished();
}

const TClassInfo& TOptionsDlgNew2::StaticClassInfo() {
    static const TClassInfo info("TOptionsDlgNew2", &TForm::StaticClassInfo());
    return info;
}

}  // namespace nimbra
