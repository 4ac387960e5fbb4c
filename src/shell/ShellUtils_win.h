#pragma once

// Shell operations on a path (Windows only): the file manager, the user's
// folder browser, the properties sheet and the shell's default action. Each
// reports failure by its result only.
#include <string>
#include <string_view>

#include "shell/PidlUtils.h"
#include "shell/ShellUtils.h"
#include "shell/SysFolders.h"

namespace nimbra {

// The file manager's parameters for an ID list (ExplorerParameters of its
// PidlToPathEx); "" when the list has neither a path nor a virtual path.
std::string ExplorerParametersFor(PCItemIdList pidl, bool root, bool explore, bool select);

// Starts "explorer.exe" with the verb "open" and ExplorerParametersFor;
// false when the list has no path or the start failed.
bool ExplorePidl(PCItemIdList pidl, int showCmd, bool root, bool explore, bool select);
// Parses the path into an ID list (false when that fails) and explores it.
bool ExplorePath(std::string_view path, int showCmd, bool root, bool explore, bool select);

// Opens a special folder in a two-pane file manager window, as its root when
// `root` is set; false when the folder has neither an ID list nor a path.
bool ExploreShellFolder(TShellFolder folder, int showCmd, bool root);

// Shows the item `path` in a folder window: in the file manager's two-pane
// form with the item selected when the browser's Path is empty, otherwise
// by running FolderBrowserCommand.
bool ShowInFolder(std::string_view path, int showCmd, const TFolderBrowser& browser);
// The same with the folder browser of the application's configuration.
bool ShowInFolder(std::string_view path, int showCmd);

// The platform's properties sheet of a file or folder.
bool ShowProperties(std::string_view path);

// Opens a path or an address with the shell's default action.
bool OpenWithShell(std::string_view path, int showCmd = 1);

// Runs a command line (program and arguments) with the platform's
// critical-error boxes suppressed during the start; true when it started.
bool RunCommandLine(std::string_view commandLine, int showCmd);

// The short (8.3) form of an existing path, or "" when the platform gives
// none.
std::string ShortPathName(std::string_view path);

}  // namespace nimbra
