#include "utils/frLangOptions.h"

#include "base/WaitCursor.h"
#include "help/CommonAppHelp.h"
#include "shell/ShellUtils_win.h"
#include "utils/NewLangUtils.h"
#include "utils/WindowPlacement.h"

namespace nimbra {

TLangOptionsPageFrame::TLangOptionsPageFrame(TComponent* owner) : TOptionsPageFrame(owner) {
    TitleLabel = InitPage("LangOptionsPageFrame", "Language");
    SetHint("Program language|!App.Dialogs.Options.Language");
    constexpr int kWidth = kPageWidth - 16;
    Label2 = MakeControl<TLabel>(this, this, "Label2", Bounds(8, 30, kWidth, 42));
    Label2->SetWordWrap(true);
    Label2->SetAnchors({akLeft, akTop, akRight});
    Label2->SetCaption(
        "Pick a desired language from the list. If your language is not present in this list, you "
        "can download more languages from our web-site.");
    Label1 = MakeControl<TLabel>(this, this, "Label1", Bounds(8, 80, kWidth, 13));
    Label1->SetCaption("Choose a program &language");
    ComboBox1 = MakeControl<TComboBox>(this, this, "ComboBox1", Bounds(8, 96, 240, 21));
    ComboBox1->SetStyle(csDropDownList);
    ComboBox1->SetDropDownCount(16);
    Label1->SetFocusControl(ComboBox1);
    Button1 = MakeControl<TButton>(this, this, "Button1", Bounds(8, 128, 200, 25));
    Button1->SetCaption("&Download more languages...");
    Button1->OnClick = [](TObject&) { OpenWithShell(kLanguagesPage); };
}

void TLangOptionsPageFrame::PageActivated() {
    TGlobalLocalizer* localizer = FirstGlobalLocalizer();
    if (filled_ || localizer == nullptr)
        return;
    localizer->RefreshLanguages();
    TStringList names;
    localizer->FillLanguageNames(names);
    ComboBox1->SetItems(&names);
    ComboBox1->SetItemIndex(localizer->LanguageIndex());
    filled_ = true;
}

void TLangOptionsPageFrame::SaveSettings() {
    TGlobalLocalizer* localizer = FirstGlobalLocalizer();
    if (!filled_ || localizer == nullptr || ComboBox1->ItemIndex() < 0 ||
        ComboBox1->ItemIndex() == localizer->LanguageIndex())
        return;
    const TWaitCursor wait;
    localizer->SetLanguageIndex(ComboBox1->ItemIndex());
}

void TLangOptionsPageFrame::DialogHidden() {
    filled_ = false;
}

const TClassInfo& TLangOptionsPageFrame::StaticClassInfo() {
    static const TClassInfo info("TLangOptionsPageFrame", &TOptionsPageFrame::StaticClassInfo());
    return info;
}

}  // namespace nimbra
