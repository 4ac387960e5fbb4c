#pragma once

// The list dialog of the include-folders menu (Windows only).
#include "folders/NimbraCustomFolders.h"
#include "utils/fmPageDialog.h"

namespace nimbra {

class TCustomFoldersEditFrame;

class TCustomFoldersForm : public TPageDialog {
  public:
    explicit TCustomFoldersForm(TComponent* owner);

    TCustomFoldersEditFrame* FoldersFrame = nullptr;
    TStatusBar* StatusBar1 = nullptr;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

// Lets the user edit a copy of `folders`; on OK after a change the copy is
// written back and the answer is true.
bool EditCustomFolders(TCustomFolders& folders);

}  // namespace nimbra
