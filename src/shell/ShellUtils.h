#pragma once

// The portable half of the shell operations: the command lines given to the
// file manager and to a user-chosen folder browser. The calls that start
// them are in ShellUtils_win.h.
#include <functional>
#include <string>
#include <string_view>

namespace nimbra {

// `text` in double quotes when it holds a blank and does not already begin
// with a double quote; otherwise unchanged.
std::string QuoteIfBlank(std::string_view text);

// The file manager's parameters for `path`, in this order: "/E," when
// exploring (two panes), "/ROOT," when the path is the root, then "/SELECT,"
// and the path when the item is to be selected, else the path alone.
std::string ExplorerParameters(std::string_view path, bool root, bool explore, bool select);

// The short (8.3) form of a path, or "" when the platform gives none.
using TShortNameFn = std::function<std::string(std::string_view path)>;

// Replaces the macros of a folder-browser template for the item `fileName`,
// reading from left to right: text outside "%" signs is copied; "%%" gives
// one "%"; a name between two "%" signs (compared without regard to case)
// gives the macro's value, and nothing when it names no macro; a "%" without
// a closing one takes the rest of the template as the name. The macros:
//   path           the item's folder (ExtractFileDir)
//   shortpath      the same in short form
//   filename       the item's full path
//   shortfilename  the same in short form
// `shortName` is asked only for the short macros the template uses.
std::string ExpandBrowserMacros(std::string_view cmdLine, std::string_view fileName,
                                const TShortNameFn& shortName);

// The user's folder browser: its program file and argument template. An
// empty Path means the platform's file manager.
struct TFolderBrowser {
    std::string Path;
    std::string CmdLine;
};

// The user's folder browser as the application's configuration holds it
// (CustomBrowserCfg); the platform's file manager while there is none.
TFolderBrowser ConfiguredFolderBrowser();

// The command that shows `fileName` in `browser`: the program (quoted if it
// holds a blank and is not quoted yet), one blank, the expanded template.
std::string FolderBrowserCommand(const TFolderBrowser& browser, std::string_view fileName,
                                 const TShortNameFn& shortName);

}  // namespace nimbra
