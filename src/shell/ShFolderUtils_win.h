#pragma once

// Special folders as shell ID lists (Windows only).
#include <string>

#include "shell/PidlUtils.h"
#include "shell/SysFolders.h"

namespace nimbra {

// A new ID list of the folder, or nullptr when the platform has none for it
// (never raises). With create false, asking never creates the folder.
TPidlPtr GetShellFolderPidl(TShellFolder folder, bool create = false);

// The ID list of the folder, or else its path parsed into one; nullptr when
// neither works. What the file manager and the icon lookup use.
TPidlPtr ShellFolderIdList(TShellFolder folder);

// The file-system path of a folder given by its bare platform code; "" when
// the folder is virtual. Raises the platform's error when the platform has
// no ID list for the code.
std::string GetSpecialFolderPath(int csidl);

}  // namespace nimbra
