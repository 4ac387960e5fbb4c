#include "shell/LocalizedSysFolders.h"

#include "utils/NewLangUtils.h"

namespace nimbra {

std::string GetShellFolderName(TShellFolder folder) {
    const TShellFolderInfo& info = ShellFolderInfo(folder);
    return GetLocalizedString(kSysFoldersSection, info.Ident, info.Name);
}

std::vector<std::string> SysFoldersConstants() {
    std::vector<std::string> constants;
    constants.reserve(kShellFolderCount);
    for (int i = 0; i < kShellFolderCount; ++i) {
        const TShellFolderInfo& info = ShellFolderInfo(static_cast<TShellFolder>(i));
        constants.push_back(std::string(kSysFoldersSection) + "." + info.Ident + "=" + info.Name);
    }
    return constants;
}

}  // namespace nimbra
