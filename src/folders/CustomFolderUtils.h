#pragma once

// The rules of the customize-folders dialogs that need no window: the
// entry dialog's automatic title, when OK may be pressed, and the special
// folders the location dialog offers.
#include <string>
#include <vector>

#include "folders/NimbraCustomFolders.h"
#include "shell/SysFolders.h"

namespace nimbra {

// The title of the entry dialog. It follows the entry's default title ("&"
// and the first location's title) until the user types one of their own;
// a title the user emptied follows it again.
class TAutoTitle {
  public:
    // As loaded: automatic when the title is the default one.
    void Load(const std::string& title, const std::string& defaultTitle);
    // The user typed `title`.
    void Typed(const std::string& title);
    // The locations changed; true when the title changed with them.
    bool LocationsChanged(const std::string& defaultTitle);
    // The title OK writes back: an empty title becomes the default one.
    std::string FinalTitle(const std::string& defaultTitle) const;

    const std::string& Title() const { return title_; }
    bool Automatic() const { return automatic_; }

  private:
    std::string title_;
    bool automatic_ = false;
};

// The entry dialog's OK: the entry needs at least one location.
bool CanAcceptFolder(const TCustomFolder& folder);

// The location dialog's state is valid (OK and "Open in Explorer" are
// enabled): a row of the list is selected for a special folder, a path is
// typed for a literal one.
bool IsLocationValid(TCustomFolderPathType type, int selectedRow, const std::string& path);

// A special folder the location dialog offers, with the name it shows.
struct TShellFolderChoice {
    TShellFolder Folder;
    std::string Name;
};

// Every special folder that has a file-system path now, sorted by its
// localized name (ties keep the folders' order).
std::vector<TShellFolderChoice> ExistingShellFolders();
// The row showing `folder`: the first row when it is not offered, -1 when
// nothing is.
int ShellFolderRow(const std::vector<TShellFolderChoice>& choices, TShellFolder folder);

}  // namespace nimbra
