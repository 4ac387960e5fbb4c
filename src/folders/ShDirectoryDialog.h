#pragma once

// The folder browser: a component around the platform's folder picker. The
// rules that pick its flags, its start folder and its result need no
// window; Execute exists on Windows only.
#include <string>

#include "base/Classes.h"

namespace nimbra {

// The picker's flags (the platform's numbering).
inline constexpr unsigned kBrowseFileSystemOnly = 0x01;
inline constexpr unsigned kBrowseStatusText = 0x04;
inline constexpr unsigned kBrowseFileSystemAncestors = 0x08;
inline constexpr unsigned kBrowseEditBox = 0x10;
inline constexpr unsigned kBrowseValidate = 0x20;
inline constexpr unsigned kBrowseNewStyle = 0x40;
inline constexpr unsigned kBrowseIncludeFiles = 0x4000;

// A shell version as major * 100 + minor (4.71 is 471).
using TShellVersion = int;

// What kind of drive a folder lies on.
enum TDriveKind { dkUnknown, dkFixed, dkRemovable, dkRemote, dkCdRom, dkRamDisk, dkNoRoot };

class TSHDirectoryDialog : public TComponent {
  public:
    explicit TSHDirectoryDialog(TComponent* owner);

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }
    const std::string& Directory() const { return directory_; }
    void SetDirectory(const std::string& value) { directory_ = value; }
    bool AllowCreate() const { return allowCreate_; }
    void SetAllowCreate(bool value) { allowCreate_ = value; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }
    bool AllowNonFS() const { return allowNonFS_; }
    void SetAllowNonFS(bool value) { allowNonFS_ = value; }
    bool ShowEditBox() const { return showEditBox_; }
    void SetShowEditBox(bool value) { showEditBox_ = value; }
    bool AutoEditBox() const { return autoEditBox_; }
    void SetAutoEditBox(bool value) { autoEditBox_ = value; }
    bool AutoNewUI() const { return autoNewUI_; }
    void SetAutoNewUI(bool value) { autoNewUI_ = value; }
    bool ShowFiles() const { return showFiles_; }
    void SetShowFiles(bool value) { showFiles_ = value; }

    // The picker's own style with its new-folder button, on shells from 5.0.
    bool UsesNewStyle(TShellVersion shell) const;
    unsigned Flags(TShellVersion shell) const;
    // The program adds its own "&New..." button to the old style only.
    bool WantsNewButton(TShellVersion shell) const;
    // The result of a pick: the folder's file-system path (empty for one
    // without); false for a cancel, or a pick without a path unless
    // AllowNonFS. Directory takes the path of an accepted pick.
    bool AcceptPick(bool picked, const std::string& path);
    // The picker enables OK for the selection's path.
    bool CanAccept(const std::string& path) const { return !path.empty() || allowNonFS_; }

    // Shows the picker (Windows only); true when a folder was chosen.
    bool Execute();

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    std::string title_;
    std::string caption_;
    std::string directory_;
    bool allowCreate_ = false;
    int helpContext_ = 0;
    bool allowNonFS_ = false;
    bool showEditBox_ = false;
    bool autoEditBox_ = true;
    bool autoNewUI_ = true;
    bool showFiles_ = false;
};

// The picker starts at `directory` only when it is given, lies neither on a
// removable nor on a network drive, and exists as a folder.
bool IsUsableStartFolder(const std::string& directory, TDriveKind drive, bool exists);

}  // namespace nimbra
