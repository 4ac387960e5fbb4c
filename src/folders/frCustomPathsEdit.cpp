#include "folders/frCustomPathsEdit.h"

#include "folders/fmCustomFolderPath.h"
#include "shell/ShellImageList_win.h"
#include "utils/NewLangUtilsTexts.h"

namespace nimbra {

TCustomPathsEditFrame::TCustomPathsEditFrame(TComponent* owner) : TNimbraCustomEditFrame(owner) {
    SetName("CustomPathsEditFrame1");
    TListColumn* column = ListView1->Columns()->Add();
    column->SetWidth(200);
    column->SetAutoSize(true);
    InitFrame();
}

std::unique_ptr<TCollection> TCustomPathsEditFrame::CreateCollection() const {
    return std::make_unique<TCustomFolderPaths>();
}

void TCustomPathsEditFrame::FillRow(TCollectionItem& item, TCheckListRow& row) {
    const auto& path = static_cast<const TCustomFolderPath&>(item);
    row.Caption = path.Title();
    row.ImageIndex = path.PathType() == ptDisk ? GetFileIconIndex(path.Path())
                                               : GetShellFolderIconIndex(path.ShellFolder());
    row.Check = rcNone;
}

bool TCustomPathsEditFrame::EditItem(TCollectionItem& item, bool isNew) {
    return EditCustomFolderPath(static_cast<TCustomFolderPath&>(item), isNew);
}

std::string TCustomPathsEditFrame::ItemCaption(const TCollectionItem& item) const {
    return static_cast<const TCustomFolderPath&>(item).Title();
}

// A location is not ticked: it is searched when its entry is.
TRowCheck TCustomPathsEditFrame::ItemState(const TCollectionItem&) const {
    return rcNone;
}

void TCustomPathsEditFrame::LocalizeColumns() {
    ListView1->Columns()->Items(0)->SetCaption(
        GetLocalizedString(CodeText("Nimbra", "FolderMenuItemPathColumn")));
}

const TClassInfo& TCustomPathsEditFrame::StaticClassInfo() {
    static const TClassInfo info("TCustomPathsEditFrame",
                                 &TNimbraCustomEditFrame::StaticClassInfo());
    return info;
}

}  // namespace nimbra
