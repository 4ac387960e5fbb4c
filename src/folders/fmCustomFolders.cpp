#include "folders/fmCustomFolders.h"

#include <memory>

#include "folders/frCustomFoldersEdit.h"

namespace nimbra {

TCustomFoldersForm::TCustomFoldersForm(TComponent* owner)
    : TPageDialog(owner, "CustomFoldersForm", "Customize folders menu...", "Menu items", 560, 420,
                  60) {
    SetHint("!App.Dialogs.CustomizeFolders");
    FoldersFrame = new TCustomFoldersEditFrame(this);
    FoldersFrame->SetParent(TabSheet1);
    FoldersFrame->SetAlign(alClient);
    StatusBar1 = MakeControl<TStatusBar>(this, this, "StatusBar1", Bounds(0, 401, 560, 19));
    StatusBar1->SetAlign(alBottom);
    StatusBar1->SetAutoHint(true);
    for (TButton* button : {OKButton, CancelButton, HelpButton})
        button->SetTop(button->Top() - 19);
    SetActiveControl(FoldersFrame->ListView1);
    FinishDialog();
}

const TClassInfo& TCustomFoldersForm::StaticClassInfo() {
    static const TClassInfo info("TCustomFoldersForm", &TPageDialog::StaticClassInfo());
    return info;
}

bool EditCustomFolders(TCustomFolders& folders) {
    const auto form = std::make_unique<TCustomFoldersForm>(nullptr);
    form->FoldersFrame->LoadCollection(folders);
    if (form->ShowModal() != mrOk || !form->FoldersFrame->Modified())
        return false;
    form->FoldersFrame->StoreCollection(folders);
    return true;
}

}  // namespace nimbra
