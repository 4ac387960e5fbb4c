#pragma once

#include <memory>

#include "utils/CfgUtils.h"

namespace nimbra {

class TCustomFolders;

// The longest list that is stored: far beyond any real menu. Saving refuses
// a longer list (raising), and loading takes a longer one for damage, so
// whatever saves also loads.
inline constexpr int kMaxStoredFolders = 10'000;
inline constexpr int kMaxStoredPaths = 10'000;

// The include-folders list for the whole run, with the search frame's
// switches: auto-minimize after a launch (off by default) and auto-scroll to
// the first match (on by default). The switches live in "Nimbra\Options"
// and are written as soon as they change; the list is kept in
// "Nimbra\Folders", written whenever the configuration saves this object
// and read after loading. A profile without a stored list, or with a damaged
// or partial one, gets the default list; a stored list that loading refused
// is first copied, value for value, to "Nimbra\FoldersBackup" (replacing an
// earlier copy), so the next save cannot lose it.
class TNimbraFoldersCfg : public TCommonCfgObject {
  public:
    explicit TNimbraFoldersCfg(TCommonCfgManager* manager);
    ~TNimbraFoldersCfg() override;

    TCustomFolders* Folders() const { return folders_.get(); }
    // Set when the options dialog replaced the list; the main window clears it.
    bool FoldersChanged() const { return foldersChanged_; }
    void SetFoldersChanged(bool value) { foldersChanged_ = value; }
    bool AutoMinimize() const { return autoMinimize_; }
    void SetAutoMinimize(bool value);
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value);

    void AfterLoad() override;
    void BeforeSave() override;
    // Copies the list, item by item, and FoldersChanged.
    void Assign(const TPersistent& source) override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    std::unique_ptr<TCustomFolders> folders_;
    bool foldersChanged_ = false;
    bool autoMinimize_ = false;
    bool autoScroll_ = true;
};

// The application configuration's folders settings, or nullptr.
extern TNimbraFoldersCfg* FoldersCfg;

}  // namespace nimbra
