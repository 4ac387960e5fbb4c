#pragma once

// The entry dialog: one include-folders entry (Windows only).
#include "controls/ActnList.h"
#include "folders/CustomFolderUtils.h"
#include "folders/NimbraCustomFolders.h"
#include "utils/fmPageDialog.h"

namespace nimbra {

class TCustomPathsEditFrame;

class TCustomFolderForm : public TPageDialog {
  public:
    explicit TCustomFolderForm(TComponent* owner);

    TLabel* TitleLabel = nullptr;
    TEdit* TitleEdit = nullptr;
    TLabel* PathsLabel = nullptr;
    TCustomPathsEditFrame* PathsFrame = nullptr;
    TCheckBox* IncludeCheck = nullptr;
    TActionList* ActionList1 = nullptr;
    TAction* OKAction = nullptr;

    void Load(const TCustomFolder& folder);
    // Writes title, paths and Include back (an empty title becomes the
    // default one).
    void Store(TCustomFolder& folder) const;
    bool Modified() const { return modified_; }

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    std::string DefaultTitle() const;
    void ShowTitle();
    void PathsChanged();

    TAutoTitle title_;
    bool modified_ = false;
    bool loading_ = false;
};

// Edits a copy of `folder`; on OK, when the entry is new or was changed,
// writes it back and answers true.
bool EditCustomFolder(TCustomFolder& folder, bool isNew);

}  // namespace nimbra
