#pragma once

// The list of include-folders entries in the list dialog (Windows only).
#include "folders/NimbraCustomFolders.h"
#include "folders/frCollBasicEditor.h"

namespace nimbra {

class TCustomFoldersEditFrame : public TNimbraCustomEditFrame {
  public:
    explicit TCustomFoldersEditFrame(TComponent* owner);

    TAction* AddSeparator = nullptr;
    TAction* AddDefaults = nullptr;
    TButton* AddSeparatorButton = nullptr;
    TButton* AddDefaultsButton = nullptr;

    TCustomFolders& Folders() const { return static_cast<TCustomFolders&>(Collection()); }

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    std::unique_ptr<TCollection> CreateCollection() const override;
    void FillRow(TCollectionItem& item, TCheckListRow& row) override;
    bool EditItem(TCollectionItem& item, bool isNew) override;
    std::string ItemCaption(const TCollectionItem& item) const override;
    TRowCheck ItemState(const TCollectionItem& item) const override;
    void SetItemState(TCollectionItem& item, TRowCheck state) override;
    bool CanEdit(const TCollectionItem& item) const override;
    bool CanToggle(const TCollectionItem& item) const override;
    void LocalizeColumns() override;
};

}  // namespace nimbra
