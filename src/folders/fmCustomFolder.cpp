#include "folders/fmCustomFolder.h"

#include <memory>

#include "folders/frCustomPathsEdit.h"

namespace nimbra {

TCustomFolderForm::TCustomFolderForm(TComponent* owner)
    : TPageDialog(owner, "CustomFolderForm", "Edit menu item properties...", "Menu item properties",
                  460, 380) {
    SetHint("!App.Dialogs.CustomizeFolders.Item");
    const int width = TabSheet1->Width() - 16;
    TitleLabel = MakeControl<TLabel>(this, TabSheet1, "TitleLabel", Bounds(8, 8, 60, 13));
    TitleLabel->SetCaption("T&itle");
    TitleEdit = MakeControl<TEdit>(this, TabSheet1, "TitleEdit", Bounds(8, 24, width, 21));
    TitleEdit->SetAnchors({akLeft, akTop, akRight});
    TitleLabel->SetFocusControl(TitleEdit);
    PathsLabel = MakeControl<TLabel>(this, TabSheet1, "PathsLabel", Bounds(8, 54, width, 13));
    PathsLabel->SetCaption("&Folders to be included/excluded by this menu item");
    PathsFrame = new TCustomPathsEditFrame(this);
    PathsFrame->SetParent(TabSheet1);
    PathsFrame->SetBounds(8, 70, width, TabSheet1->Height() - 70 - 32);
    PathsFrame->SetAnchors({akLeft, akTop, akRight, akBottom});
    PathsLabel->SetFocusControl(PathsFrame->ListView1);
    IncludeCheck = MakeControl<TCheckBox>(this, TabSheet1, "IncludeCheck",
                                          Bounds(8, TabSheet1->Height() - 26, width, 17));
    IncludeCheck->SetCaption(
        "T&oggle this menu item on (include the folders listed above into the search)");
    IncludeCheck->SetAnchors({akLeft, akRight, akBottom});

    ActionList1 = new TActionList(this);
    ActionList1->SetName("ActionList1");
    OKAction = new TAction(this);
    OKAction->SetName("OKAction");
    OKAction->SetCaption("OK");
    OKAction->SetActionList(ActionList1);
    OKAction->OnUpdate = [this](TObject&) {
        OKAction->SetEnabled(PathsFrame->Paths().Count() > 0);
    };
    OKAction->OnExecute = [this](TObject&) {
        if (PathsFrame->Paths().Count() > 0)
            SetModalResult(mrOk);
    };
    OKButton->SetAction(OKAction);
    OKButton->SetModalResult(mrNone);

    TitleEdit->OnChange = [this](TObject&) {
        if (loading_)
            return;
        title_.Typed(TitleEdit->Text());
        modified_ = true;
    };
    IncludeCheck->OnClick = [this](TObject&) { modified_ = true; };
    PathsFrame->OnChange = [this](TObject&) { PathsChanged(); };
    FinishDialog();
}

std::string TCustomFolderForm::DefaultTitle() const {
    TCustomFolders probe;
    TCustomFolder* folder = probe.Add();
    folder->SetPaths(&PathsFrame->Paths());
    return folder->DefaultTitle();
}

void TCustomFolderForm::ShowTitle() {
    loading_ = true;
    TitleEdit->SetText(title_.Title());
    loading_ = false;
}

void TCustomFolderForm::PathsChanged() {
    modified_ = true;
    if (title_.LocationsChanged(DefaultTitle()))
        ShowTitle();
}

void TCustomFolderForm::Load(const TCustomFolder& folder) {
    PathsFrame->LoadCollection(*folder.Paths());
    title_.Load(folder.Title(), DefaultTitle());
    ShowTitle();
    IncludeCheck->SetChecked(folder.Include());
    modified_ = false;
    if (PathsFrame->Paths().Count() > 0)
        SetActiveControl(PathsFrame->ListView1);
    else
        SetActiveControl(PathsFrame->AddButton);
}

void TCustomFolderForm::Store(TCustomFolder& folder) const {
    folder.SetTitle(title_.FinalTitle(DefaultTitle()));
    PathsFrame->StoreCollection(*folder.Paths());
    folder.SetInclude(IncludeCheck->Checked());
}

const TClassInfo& TCustomFolderForm::StaticClassInfo() {
    static const TClassInfo info("TCustomFolderForm", &TPageDialog::StaticClassInfo());
    return info;
}

bool EditCustomFolder(TCustomFolder& folder, bool isNew) {
    return EditInDialog<TCustomFolderForm>(folder, isNew);
}

}  // namespace nimbra
