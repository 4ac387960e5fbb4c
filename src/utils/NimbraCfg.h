#pragma once

#include <memory>
#include <string>

#include "utils/CfgUtils.h"

namespace nimbra {

class TNimbraFoldersCfg;
class TCustomFolderBrowserCfg;

// The main window's animation switches and the splash screen; all on by
// default.
class TNimbraShellCfg : public TCommonCfgObject {
  public:
    explicit TNimbraShellCfg(TCommonCfgManager* manager) : TCommonCfgObject(manager) {}

    bool AnimateMinimize() const { return animateMinimize_; }
    void SetAnimateMinimize(bool value) { animateMinimize_ = value; }
    bool AnimateRestore() const { return animateRestore_; }
    void SetAnimateRestore(bool value) { animateRestore_ = value; }
    bool ShowSplash() const { return showSplash_; }
    void SetShowSplash(bool value) { showSplash_ = value; }

    void Assign(const TPersistent& source) override;
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    bool animateMinimize_ = true;
    bool animateRestore_ = true;
    bool showSplash_ = true;
};

// The program's configuration, kept in the section "Options": the shell,
// folders and folder-browser settings as the properties ShellCfg,
// FoldersCfg and CustomBrowserCfg. Writing a property copies the settings
// into the object it holds, which keeps its identity.
class TNimbraCfg : public TCommonAppCfg {
  public:
    TNimbraCfg();
    explicit TNimbraCfg(std::string section);
    ~TNimbraCfg() override;

    TNimbraShellCfg* ShellCfg() const { return shellCfg_.get(); }
    void SetShellCfg(TNimbraShellCfg* value);
    TNimbraFoldersCfg* FoldersCfg() const { return foldersCfg_.get(); }
    void SetFoldersCfg(TNimbraFoldersCfg* value);
    TCustomFolderBrowserCfg* CustomBrowserCfg() const { return customBrowserCfg_.get(); }
    void SetCustomBrowserCfg(TCustomFolderBrowserCfg* value);

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    std::unique_ptr<TNimbraShellCfg> shellCfg_;
    std::unique_ptr<TNimbraFoldersCfg> foldersCfg_;
    std::unique_ptr<TCustomFolderBrowserCfg> customBrowserCfg_;
};

// The application configuration's shell settings, or nullptr.
extern TNimbraShellCfg* ShellCfg;

}  // namespace nimbra
