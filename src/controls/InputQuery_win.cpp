#include "controls/InputQuery_win.h"

#include <memory>

#include "controls/Forms_win.h"
#include "utils/NewLangUtilsTexts.h"

namespace nimbra {

namespace {

class TInputQueryForm : public TForm {
  public:
    explicit TInputQueryForm(TComponent* owner) : TForm(owner) {
        SetName("InputQueryForm");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetPosition(poScreenCenter);
        SetClientSize(300, 98);
        Prompt = Make<TLabel>("Prompt", 8, 8, 284, 13);
        Edit = Make<TEdit>("Edit", 8, 26, 284, 21);
        Prompt->SetFocusControl(Edit);
        OKButton = Make<TButton>("OKButton", 136, 64, 75, 25);
        OKButton->SetCaption(GetLocalizedString(CodeText("InputQuery", "OK")));
        OKButton->SetDefault(true);
        OKButton->SetModalResult(mrOk);
        CancelButton = Make<TButton>("CancelButton", 217, 64, 75, 25);
        CancelButton->SetCaption(GetLocalizedString(CodeText("InputQuery", "Cancel")));
        CancelButton->SetCancel(true);
        CancelButton->SetModalResult(mrCancel);
        SetActiveControl(Edit);
        FinishLoading(*this);
    }

    TLabel* Prompt = nullptr;
    TEdit* Edit = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

  private:
    template <class T>
    T* Make(const char* name, int left, int top, int width, int height) {
        auto* control = new T(this);
        control->SetName(name);
        control->SetParent(this);
        control->SetBounds(left, top, width, height);
        return control;
    }
};

}  // namespace

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
    const auto form = std::make_unique<TInputQueryForm>(nullptr);
    form->SetCaption(caption);
    form->Prompt->SetCaption(prompt);
    form->Edit->SetText(value);
    if (form->ShowModal() != mrOk)
        return false;
    value = form->Edit->Text();
    return true;
}

}  // namespace nimbra
