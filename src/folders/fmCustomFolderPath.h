#pragma once

// The location dialog: one location of an include-folders entry, a special
// folder from a list or a typed or browsed path (Windows only).
#include <vector>

#include "controls/ActnList.h"
#include "controls/ImageComboBox.h"
#include "controls/RadioButton.h"
#include "folders/CustomFolderUtils.h"
#include "folders/NimbraCustomFolders.h"
#include "utils/fmPageDialog.h"

namespace nimbra {

class TSHDirectoryDialog;

class TCustomFolderPathForm : public TPageDialog {
  public:
    explicit TCustomFolderPathForm(TComponent* owner);

    TGroupBox* GroupBox1 = nullptr;
    TRadioButton* ShellRadio = nullptr;
    TImageComboBox* ShellFolderList = nullptr;
    TRadioButton* DiskRadio = nullptr;
    TEdit* PathEdit = nullptr;
    TButton* BrowseButton = nullptr;
    TButton* ExploreButton = nullptr;
    TActionList* ActionList1 = nullptr;
    TAction* OKAction = nullptr;
    TAction* ExploreAction = nullptr;
    TSHDirectoryDialog* SHDirectoryDialog1 = nullptr;

    void Load(const TCustomFolderPath& path);
    // Writes Path, ShellFolder and PathType back, whichever kind is chosen.
    void Store(TCustomFolderPath& path) const;
    bool Modified() const { return modified_; }
    TCustomFolderPathType PathType() const;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    int FolderImage(int row) const;
    bool Valid() const;
    void UpdateEnabling();
    void Edited();
    // For a typed path: true when it exists as a folder, else the message.
    bool CheckPathExists() const;
    void Browse();
    void Explore();

    std::vector<TShellFolderChoice> choices_;
    bool modified_ = false;
    bool loading_ = false;
};

// Edits a copy of `path`; on OK, when the location is new or was changed,
// writes it back and answers true.
bool EditCustomFolderPath(TCustomFolderPath& path, bool isNew);

}  // namespace nimbra
