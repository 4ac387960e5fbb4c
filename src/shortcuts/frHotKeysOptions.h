#pragma once

// The options page "Keyboard": the program's system-wide shortcuts, edited
// as copies that reach the live hotkeys only when the dialog is accepted
// (Windows only).
#include <memory>

#include "app/frOptionsPage.h"
#include "controls/ActnList.h"
#include "controls/Menus.h"

namespace nimbra {

class TAppShortCuts;
class TAppShortCutsView;

class THotKeysOptionsPageFrame : public TOptionsPageFrame {
  public:
    explicit THotKeysOptionsPageFrame(TComponent* owner);
    ~THotKeysOptionsPageFrame() override;

    TLabel* TitleLabel = nullptr;
    TLabel* Label1 = nullptr;
    TAppShortCutsView* AppShortCutsView1 = nullptr;
    TButton* EditButton = nullptr;
    TActionList* ActionList1 = nullptr;
    TAction* CmdEdit = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;

    bool Modified() const { return modified_; }
    TAppShortCuts& ShortCuts() { return *shortCuts_; }

    void LoadSettings() override;
    void SaveSettings() override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    void EditSelected();

    std::unique_ptr<TAppShortCuts> shortCuts_;
    bool modified_ = false;
};

}  // namespace nimbra
