#include "folders/frCustomFoldersEdit.h"

#include "folders/fmCustomFolder.h"
#include "utils/NewLangUtilsTexts.h"

namespace nimbra {

namespace {
const TCustomFolder& FolderOf(const TCollectionItem& item) {
    return static_cast<const TCustomFolder&>(item);
}
}  // namespace

TCustomFoldersEditFrame::TCustomFoldersEditFrame(TComponent* owner)
    : TNimbraCustomEditFrame(owner) {
    SetName("CustomFoldersEditFrame1");
    for (const int width : {160, 200}) {
        TListColumn* column = ListView1->Columns()->Add();
        column->SetWidth(width);
        column->SetAutoSize(true);
    }
    AddSeparator = MakeCollAction("AddSeparator", "Add &separator",
                                  "Insert separator after the currently selected item.");
    AddSeparator->OnExecute = [this](TObject&) {
        if (TCollectionItem* item = AddItem(false, true)) {
            static_cast<TCustomFolder*>(item)->SetSeparator(true);
            RefreshRows();
            SelectItems({item});
        }
    };
    AddDefaults =
        MakeCollAction("AddDefaults", "Add defau&lts", "Add default menu items to the menu.");
    AddDefaults->OnExecute = [this](TObject&) {
        AddDefaultFolders(Folders());
        RefreshRows();
        RecordChange();
    };
    AddSeparatorButton = AddCommandButton("AddSeparatorButton", AddSeparator);
    AddDefaultsButton = AddCommandButton("AddDefaultsButton", AddDefaults);
    InitFrame();
}

std::unique_ptr<TCollection> TCustomFoldersEditFrame::CreateCollection() const {
    return std::make_unique<TCustomFolders>();
}

void TCustomFoldersEditFrame::FillRow(TCollectionItem& item, TCheckListRow& row) {
    const TCustomFolder& folder = FolderOf(item);
    row.Caption = folder.Title();
    row.SubItems = {folder.PathsText()};
    row.ImageIndex = folder.Separator() ? -1 : ClosedFolderIcon();
    row.Check = ItemState(item);
}

bool TCustomFoldersEditFrame::EditItem(TCollectionItem& item, bool isNew) {
    return EditCustomFolder(static_cast<TCustomFolder&>(item), isNew);
}

std::string TCustomFoldersEditFrame::ItemCaption(const TCollectionItem& item) const {
    return FolderOf(item).Title();
}

TRowCheck TCustomFoldersEditFrame::ItemState(const TCollectionItem& item) const {
    const TCustomFolder& folder = FolderOf(item);
    if (folder.Separator())
        return rcNone;
    return folder.Include() ? rcTicked : rcClear;
}

void TCustomFoldersEditFrame::SetItemState(TCollectionItem& item, TRowCheck state) {
    static_cast<TCustomFolder&>(item).SetInclude(state == rcTicked);
}

bool TCustomFoldersEditFrame::CanEdit(const TCollectionItem& item) const {
    return !FolderOf(item).Separator();
}

bool TCustomFoldersEditFrame::CanToggle(const TCollectionItem& item) const {
    return !FolderOf(item).Separator();
}

void TCustomFoldersEditFrame::LocalizeColumns() {
    auto& columns = *ListView1->Columns();
    columns.Items(0)->SetCaption(GetLocalizedString(CodeText("Nimbra", "FolderMenuTitleColumn")));
    columns.Items(1)->SetCaption(GetLocalizedString(CodeText("Nimbra", "FolderMenuFoldersColumn")));
}

const TClassInfo& TCustomFoldersEditFrame::StaticClassInfo() {
    static const TClassInfo info("TCustomFoldersEditFrame",
                                 &TNimbraCustomEditFrame::StaticClassInfo());
    return info;
}

}  // namespace nimbra
