#include "app/fmAskForUpdate.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <memory>

#include "base/DateTime.h"
#include "base/Unicode.h"
#include "help/CommonAppHelp.h"
#include "utils/CommonAppRules.h"
#include "utils/ConfigUtils.h"
#include "utils/NewLangUtils.h"
#include "utils/WindowPlacement.h"

namespace nimbra {

TAskForUpdateDialog::TAskForUpdateDialog(TComponent* owner) : TForm(owner) {
    SetName("AskForUpdateDialog");
    SetCaption("Check for new versions");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientSize(340, 118);
    TextLabel = MakeControl<TLabel>(this, this, "TextLabel", Bounds(12, 12, 316, 42));
    TextLabel->SetWordWrap(true);
    TextLabel->SetCaption(
        "Would you like to visit Quillmoor Software Web-site and check for new versions of this "
        "product and other interesting software?");
    NeverCheck = MakeControl<TCheckBox>(this, this, "NeverCheck", Bounds(12, 58, 316, 17));
    NeverCheck->SetCaption("Never &ask this question again");
    YesButton = MakeControl<TButton>(this, this, "YesButton", Bounds(172, 84, 75, 25));
    YesButton->SetCaption("&Yes");
    YesButton->SetDefault(true);
    YesButton->SetModalResult(mrYes);
    NoButton = MakeControl<TButton>(this, this, "NoButton", Bounds(253, 84, 75, 25));
    NoButton->SetCaption("&No");
    NoButton->SetCancel(true);
    NoButton->SetModalResult(mrNo);
    auto* localizer = new TNewLocalizer(this);
    localizer->SetName("NewLocalizer1");
    FinishLoading(*this);
}

const TClassInfo& TAskForUpdateDialog::StaticClassInfo() {
    static const TClassInfo info("TAskForUpdateDialog", &TForm::StaticClassInfo());
    return info;
}

void AskForUpdate(TComponent* owner, int periodDays) {
    if (!UpdateCheckDue(AppIni(), static_cast<int>(Today()), periodDays))
        return;
    const auto dialog = std::make_unique<TAskForUpdateDialog>(owner);
    if (dialog->ShowModal() == mrYes)
        ShellExecuteW(nullptr, L"open", ToWide(std::string(kHomePage)).c_str(), nullptr, nullptr,
                      SW_SHOWNORMAL);
    if (dialog->NeverCheck->Checked())
        NeverAskForUpdate(AppIni());
}

}  // namespace nimbra
