#pragma once

// The options page "Nimbra": window animation and search switches (Windows
// only).
#include <memory>

#include "app/frOptionsPage.h"

namespace nimbra {

class TCustomFolders;

class TNimbraOptionsFrame : public TOptionsPageFrame {
  public:
    explicit TNimbraOptionsFrame(TComponent* owner);
    ~TNimbraOptionsFrame() override;

    TLabel* TitleLabel = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TCheckBox* chkRestore = nullptr;
    TCheckBox* chkMinimize = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TCheckBox* chkAutoMinimize = nullptr;
    TCheckBox* chkAutoScroll = nullptr;
    TButton* Button1 = nullptr;

    void LoadSettings() override;
    void SaveSettings() override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    // The page's own copy of the include-folders list, edited by the
    // customize dialog and given to the settings only on OK.
    std::unique_ptr<TCustomFolders> folders_;
    bool foldersEdited_ = false;
};

}  // namespace nimbra
