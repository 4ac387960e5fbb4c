#include "app/fmTipOfTheDay.h"

#include <memory>

#include "app/fmCommonAppForm.h"
#include "help/CommonAppHelp.h"
#include "help/HelpUtilsEx.h"
#include "utils/CommonAppRules.h"
#include "utils/ConfigUtils.h"
#include "utils/NewLangUtils.h"
#include "utils/NewLangUtilsTexts.h"
#include "utils/WindowPlacement.h"

namespace nimbra {

TTipOfTheDayDialog::TTipOfTheDayDialog(TComponent* owner, std::vector<std::string> tips, int first)
    : TForm(owner), tips_(std::move(tips)) {
    SetName("TipOfTheDayDialog");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientSize(360, 176);
    SetHint("!App.Tips");
    TipLabel = MakeControl<TLabel>(this, this, "TipLabel", Bounds(12, 12, 336, 116));
    TipLabel->SetWordWrap(true);
    ShowAtStartupCheck =
        MakeControl<TCheckBox>(this, this, "ShowAtStartupCheck", Bounds(12, 146, 170, 17));
    ShowAtStartupCheck->SetCaption("&Show tips at startup");
    NextButton = MakeControl<TButton>(this, this, "NextButton", Bounds(192, 142, 75, 25));
    NextButton->SetCaption("&Next Tip");
    NextButton->OnClick = [this](TObject&) { ShowTip(index_ + 1); };
    CloseButton = MakeControl<TButton>(this, this, "CloseButton", Bounds(273, 142, 75, 25));
    CloseButton->SetCaption("Close");
    CloseButton->SetDefault(true);
    CloseButton->SetCancel(true);
    CloseButton->SetModalResult(mrOk);
    auto* localizer = new TNewLocalizer(this);
    localizer->SetName("NewLocalizer1");
    localizer->Filter()->Add("-TipLabel.Caption");  // the tip comes from the help
    const auto nameTheDialog = [this] {
        SetCaption(WithAppName(GetLocalizedString(CodeText("TipOfTheDay", "DialogCaption"))));
    };
    localizer->OnLocalize = [nameTheDialog](TNewLocalizer&) { nameTheDialog(); };
    nameTheDialog();
    ShowTip(first);
    FinishLoading(*this);
}

void TTipOfTheDayDialog::ShowTip(int index) {
    if (tips_.empty())
        return;
    const int count = static_cast<int>(tips_.size());
    index_ = ((index % count) + count) % count;
    const std::string& tip = tips_[static_cast<std::size_t>(index_)];
    const std::size_t start = tip.find_first_not_of(" \t\r\n");
    TipLabel->SetCaption(start == std::string::npos ? std::string() : tip.substr(start));
}

const TClassInfo& TTipOfTheDayDialog::StaticClassInfo() {
    static const TClassInfo info("TTipOfTheDayDialog", &TForm::StaticClassInfo());
    return info;
}

void ShowTipOfTheDay(TComponent* owner, bool startup) {
    TAppIni& ini = AppIni();
    if (startup && !TipsOfTheDayEnabled(ini))
        return;
    std::vector<std::string> tips = HelpStore().PlainTips();
    if (tips.empty())
        return;
    const int next = ini.ReadInteger("Options", "NextTip", 0);
    const auto dialog = std::make_unique<TTipOfTheDayDialog>(owner, std::move(tips), next);
    const bool enabled = TipsOfTheDayEnabled(ini);
    dialog->ShowAtStartupCheck->SetChecked(enabled);
    dialog->ShowModal();
    ini.WriteInteger("Options", "NextTip", dialog->TipIndex() + 1);
    if (dialog->ShowAtStartupCheck->Checked() != enabled)
        SetTipsOfTheDayEnabled(ini, dialog->ShowAtStartupCheck->Checked());
}

}  // namespace nimbra
