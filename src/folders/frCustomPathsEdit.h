#pragma once

// The locations of one include-folders entry in the entry dialog (Windows
// only).
#include "folders/NimbraCustomFolders.h"
#include "folders/frCollBasicEditor.h"

namespace nimbra {

class TCustomPathsEditFrame : public TNimbraCustomEditFrame {
  public:
    explicit TCustomPathsEditFrame(TComponent* owner);

    TCustomFolderPaths& Paths() const { return static_cast<TCustomFolderPaths&>(Collection()); }

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    std::unique_ptr<TCollection> CreateCollection() const override;
    void FillRow(TCollectionItem& item, TCheckListRow& row) override;
    bool EditItem(TCollectionItem& item, bool isNew) override;
    std::string ItemCaption(const TCollectionItem& item) const override;
    TRowCheck ItemState(const TCollectionItem& item) const override;
    void LocalizeColumns() override;
};

}  // namespace nimbra
