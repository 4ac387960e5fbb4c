#include "search/ItemCommands.h"

#include "base/WaitCursor.h"
#include "shell/InternetShortcuts.h"
#include "shell/LnkUtils.h"
#include "shell/ShellUtils_win.h"
#include "utils/FileUtils.h"
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

std::string TargetToShow(const std::string& path) {
    const std::string target = GetLnkTarget(path);
    // A target that is gone (a missing drive, a deleted file) cannot be
    // selected in its folder: the shell would open some other folder or an
    // error box. Windows' own link resolution refuses such a target; Wine's
    // does not, so it is checked here.
    if (target.empty() || !(FileExists(target) || DirectoryExists(target)))
        return path;
    return target;
}

void ShowEntryTarget(const TProgramMenuItem& entry) {
    const TWaitCursor wait;
    ShowInFolder(TargetToShow(entry.FullPath()), kShowNormal);
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
