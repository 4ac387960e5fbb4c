#include "utils/fmPageDialog.h"

#include "help/HelpUtilsEx.h"
#include "utils/AppIniForm_win.h"
#include "utils/NewLangUtils.h"
#include "utils/WindowPlacement.h"

namespace nimbra {

namespace {
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kMargin = 8;
}  // namespace

TPageDialog::TPageDialog(TComponent* owner, const char* name, const char* caption,
                         const char* pageCaption, int width, int height, int bottom)
    : TForm(owner) {
    SetName(name);
    SetCaption(caption);
    SetBorderIcons({biSystemMenu});
    SetPosition(poScreenCenter);
    SetClientSize(width, height);
    AppIniFormFont1 = new TAppIniFormFont(this);
    AppIniFormFont1->SetName("AppIniFormFont1");
    AppIniFormPos1 = new TAppIniFormPos(this);
    AppIniFormPos1->SetName("AppIniFormPos1");
    AppIniFormPos1->SetSection("View state");

    PageControl1 = MakeControl<TPageControl>(
        this, this, "PageControl1",
        Bounds(kMargin, kMargin, width - 2 * kMargin, height - bottom - kMargin));
    PageControl1->SetAnchors({akLeft, akTop, akRight, akBottom});
    TabSheet1 = MakeControl<TTabSheet>(
        this, PageControl1, "TabSheet1",
        Bounds(0, 0, PageControl1->Width() - 8, PageControl1->Height() - 28));
    TabSheet1->SetCaption(pageCaption);
    PageControl1->SetActivePage(TabSheet1);

    const int top = height - kMargin - kButtonHeight;
    const auto button = [&](const char* buttonName, const char* text, int fromRight) {
        auto* b = MakeControl<TButton>(
            this, this, buttonName,
            Bounds(width - kMargin - fromRight * (kButtonWidth + 6) - kButtonWidth, top,
                   kButtonWidth, kButtonHeight));
        b->SetCaption(text);
        b->SetAnchors({akRight, akBottom});
        return b;
    };
    OKButton = button("OKButton", "OK", 2);
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    CancelButton = button("CancelButton", "Cancel", 1);
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
    HelpButton = button("HelpButton", "&Help", 0);
    HelpButton->SetEnabled(HasHelpViewer());
    HelpButton->OnClick = [this](TObject&) { ShowHelp(ContextTopicOf(this)); };
}

void TPageDialog::FinishDialog() {
    NewLocalizer1 = new TNewLocalizer(this);
    NewLocalizer1->SetName("NewLocalizer1");
    FinishLoading(*this);
}

const TClassInfo& TPageDialog::StaticClassInfo() {
    static const TClassInfo info("TPageDialog", &TForm::StaticClassInfo());
    return info;
}

}  // namespace nimbra
