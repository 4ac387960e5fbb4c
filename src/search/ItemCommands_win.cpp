#include "search/ItemCommands.h"

#include "base/WaitCursor.h"
#include "shell/InternetShortcuts.h"
#include "shell/LnkUtils.h"
#include "shell/ShellUtils_win.h"
#include "utils/MiscUtils.h"

namespace nimbra {

bool OpenEntry(const TProgramMenuItem& entry) {
    const TWaitCursor wait;
    const std::string path = entry.FullPath();
    if (!entry.IsFolder()) {
        std::string url;
        std::string title;
        if (GetInternetShortcutInfo(path, url, title) && !url.empty())
            return OpenWithShell(url, kShowNormal);
    }
    // Programs, shortcuts and documents start the way the shell starts them
    // on a double click.
    return OpenWithShell(path, kShowNormal);
}

void ShowEntryTarget(const TProgramMenuItem& entry) {
    const TWaitCursor wait;
    std::string target = GetLnkTarget(entry.FullPath());
    if (target.empty())
        target = entry.FullPath();
    ShowInFolder(target, kShowNormal);
}

void ShowEntryParentFolder(const TProgramMenuItem& entry) {
    const TWaitCursor wait;
    const std::string folder = ExtractFileDir(entry.FullPath());
    if (!folder.empty())
        OpenWithShell(folder, kShowNormal);
}

void ShowEntryProperties(const TProgramMenuItem& entry) {
    const TWaitCursor wait;
    ShowProperties(entry.FullPath());
}

}  // namespace nimbra
