#pragma once

// The options dialog's window: the page list on the left, the shown page
// on the right, OK, Cancel and Help below (Windows only).
#include "app/OptionUtils2.h"
#include "controls/ActnList.h"
#include "controls/ExtCtrls.h"
#include "controls/Forms.h"
#include "controls/PageListBox.h"
#include "controls/StdCtrls.h"

namespace nimbra {

class TAppIniFormFont;
class TAppIniFormPos;
class TNewLocalizer;

class TOptionsDlgNew2 : public TForm {
  public:
    TOptionsDlgNew2(TComponent* owner, TOptionsDialog2& dialog);

    TPageListBox* PageList = nullptr;
    TPanel* PagePanel = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TButton* HelpButton = nullptr;
    TActionList* ActionList1 = nullptr;
    TAction* NextPageAction = nullptr;
    TAction* PreviousPageAction = nullptr;
    TAppIniFormFont* AppIniFormFont1 = nullptr;
    TAppIniFormPos* AppIniFormPos1 = nullptr;
    TNewLocalizer* NewLocalizer1 = nullptr;

    TOptionsPageSet& Pages() { return pages_; }
    // Shows the page; false for an index out of range.
    bool ShowPage(int index);
    // OK or Cancel: closes when every page agrees.
    void CloseWith(TModalResult result);
    // The page to show first when the form is shown next.
    void SetStartPage(const std::string& title) { startPage_ = title; }

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    void CreateControls();
    void FitPages();
    // Asks every page; a refusing page may be shown.
    bool PagesAgree(TModalResult result);
    void PlaceFrame(TOptionsPageFrame& frame);
    void ApplyInitialSize();
    void FormShown();
    void FormHidden();
    void PageTitlesChanged();

    TOptionsDialog2& dialog_;
    TOptionsPageSet pages_;
    std::string startPage_;
    bool shown_ = false;
};

}  // namespace nimbra
