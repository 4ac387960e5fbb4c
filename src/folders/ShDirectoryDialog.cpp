#include "folders/ShDirectoryDialog.h"

namespace nimbra {

namespace {
constexpr TShellVersion kNewStyleShell = 500;
constexpr TShellVersion kEditBoxShell = 471;
}  // namespace

TSHDirectoryDialog::TSHDirectoryDialog(TComponent* owner) : TComponent(owner) {}

bool TSHDirectoryDialog::UsesNewStyle(TShellVersion shell) const {
    return autoNewUI_ && shell >= kNewStyleShell;
}

unsigned TSHDirectoryDialog::Flags(TShellVersion shell) const {
    unsigned flags = kBrowseStatusText;
    if (UsesNewStyle(shell))
        flags |= kBrowseNewStyle;
    if (showEditBox_ || (autoEditBox_ && shell >= kEditBoxShell))
        flags |= kBrowseEditBox | kBrowseValidate;
    if (!allowNonFS_)
        flags |= kBrowseFileSystemOnly | kBrowseFileSystemAncestors;
    if (showFiles_)
        flags |= kBrowseIncludeFiles;
    return flags;
}

bool TSHDirectoryDialog::WantsNewButton(TShellVersion shell) const {
    return allowCreate_ && !UsesNewStyle(shell);
}

bool TSHDirectoryDialog::AcceptPick(bool picked, const std::string& path) {
    if (!picked || !CanAccept(path))
        return false;
    directory_ = path;
    return true;
}

bool IsUsableStartFolder(const std::string& directory, TDriveKind drive, bool exists) {
    return !directory.empty() && drive != dkRemovable && drive != dkRemote && exists;
}

const TClassInfo& TSHDirectoryDialog::StaticClassInfo() {
    using T = TSHDirectoryDialog;
    static const TClassInfo info(
        "TSHDirectoryDialog", &TComponent::StaticClassInfo(),
        {Published("Title", &T::Title, &T::SetTitle),
         Published("Caption", &T::Caption, &T::SetCaption),
         Published("Directory", &T::Directory, &T::SetDirectory),
         Published("AllowCreate", &T::AllowCreate, &T::SetAllowCreate, false),
         Published("HelpContext", &T::HelpContext, &T::SetHelpContext, 0),
         Published("AllowNonFS", &T::AllowNonFS, &T::SetAllowNonFS, false),
         Published("ShowEditBox", &T::ShowEditBox, &T::SetShowEditBox, false),
         Published("AutoEditBox", &T::AutoEditBox, &T::SetAutoEditBox, true),
         Published("AutoNewUI", &T::AutoNewUI, &T::SetAutoNewUI, true),
         Published("ShowFiles", &T::ShowFiles, &T::SetShowFiles, false)});
    return info;
}

}  // namespace nimbra
