#pragma once

// What the program's small dialogs (the include-folders dialogs, the
// shortcut editor) share (Windows only): one page for their controls, OK,
// Cancel and Help at the bottom, the window's font and place kept under
// "View state", and a localizer.
#include <memory>

#include "controls/ComCtrls.h"
#include "controls/Forms.h"
#include "controls/StdCtrls.h"

namespace nimbra {

class TAppIniFormFont;
class TAppIniFormPos;
class TNewLocalizer;

class TPageDialog : public TForm {
  public:
    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabSheet1 = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TButton* HelpButton = nullptr;
    TAppIniFormFont* AppIniFormFont1 = nullptr;
    TAppIniFormPos* AppIniFormPos1 = nullptr;
    TNewLocalizer* NewLocalizer1 = nullptr;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    // A sizeable dialog of the client size given (96-dpi pixels) whose page
    // leaves `bottom` pixels below it for the buttons.
    TPageDialog(TComponent* owner, const char* name, const char* caption, const char* pageCaption,
                int width, int height, int bottom = 40);
    // Ends the subclass's constructor: the localizer, then FinishLoading.
    void FinishDialog();
};

// Shows a dialog of class `Form` (with Load, Store and Modified) on a copy
// of `item`; on OK, when the item is new or something was changed, writes
// it back and answers true.
template <class Form, class Item>
bool EditInDialog(Item& item, bool isNew) {
    const auto form = std::make_unique<Form>(nullptr);
    form->Load(item);
    if (form->ShowModal() != mrOk || !(isNew || form->Modified()))
        return false;
    form->Store(item);
    return true;
}

}  // namespace nimbra
