#include "search/fmCustomRecentPeriod.h"

#include <memory>

#include "utils/NewLangUtils.h"

namespace nimbra {

TRecentPeriodDialog::TRecentPeriodDialog(TComponent* owner) : TForm(owner) {
    SetName("RecentPeriodDialog");
    SetCaption("Custom period");
    SetBorderStyle(bsDialog);
    SetBorderIcons({biSystemMenu, biHelp});
    SetPosition(poScreenCenter);
    SetClientSize(214, 138);
    SetHint("!App.Dialogs.Nimbra.RecentPeriod");

    GroupBox1 = MakeControl<TGroupBox>(this, this, "GroupBox1", Bounds(8, 6, 198, 90));
    GroupBox1->SetCaption(" Custom Period ");
    Label1 = MakeControl<TLabel>(this, GroupBox1, "Label1", Bounds(12, 22, 170, 13));
    Label1->SetCaption("Display items not older than:");
    ValueEdit = MakeControl<TNumericEdit>(this, GroupBox1, "ValueEdit", Bounds(12, 42, 64, 21));
    ValueEdit->SetRange(1, 100);
    ValueEdit->SetHint("Enter number of days (weeks, months etc.)");
    Label1->SetFocusControl(ValueEdit);
    PeriodList = MakeControl<TComboBox>(this, GroupBox1, "PeriodList", Bounds(84, 42, 102, 21));
    PeriodList->SetStyle(csDropDownList);
    PeriodList->Items()->SetCommaText("\"day(s)\",\"week(s)\",\"month(s)\",\"year(s)\"");
    PeriodList->SetHint("Choose period units.");

    OKButton = MakeControl<TButton>(this, this, "OKButton", Bounds(50, 105, 75, 25));
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    OKButton->SetHint("Accept entry and close the dialog.");
    CancelButton = MakeControl<TButton>(this, this, "CancelButton", Bounds(131, 105, 75, 25));
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetHint("Abandon entry and close the dialog.");
    for (TButton* button : {OKButton, CancelButton})
        button->SetAnchors({akRight, akBottom});
    auto* localizer = new TNewLocalizer(this);
    localizer->SetName("NewLocalizer1");
    // The unit names of the list are texts of the window too.
    localizer->Filter()->Add("+PeriodList.Items");
    localizer->Filter()->Add("-ValueEdit.Text");  // a number, not a text
    FinishLoading(*this);
}

bool TRecentPeriodDialog::Execute(int& value, TRecentPeriod& unit) {
    const auto dialog = std::make_unique<TRecentPeriodDialog>(nullptr);
    dialog->ValueEdit->SetValue(value);
    dialog->PeriodList->SetItemIndex(static_cast<int>(unit));
    dialog->SetActiveControl(dialog->ValueEdit);
    if (dialog->ShowModal() != mrOk)
        return false;
    value = dialog->ValueEdit->Value();
    const int index = dialog->PeriodList->ItemIndex();
    unit = index >= rpDay && index <= rpYear ? static_cast<TRecentPeriod>(index) : rpDay;
    return true;
}

const TClassInfo& TRecentPeriodDialog::StaticClassInfo() {
    static const TClassInfo info("TRecentPeriodDialog", &TForm::StaticClassInfo());
    return info;
}

}  // namespace nimbra
