#include "folders/CustomFolderUtils.h"

#include <algorithm>

#include "base/Locale.h"
#include "shell/LocalizedSysFolders.h"

namespace nimbra {

// ---- TAutoTitle ---------------------------------------------------------------------

void TAutoTitle::Load(const std::string& title, const std::string& defaultTitle) {
    title_ = title;
    automatic_ = title == defaultTitle;
}

void TAutoTitle::Typed(const std::string& title) {
    title_ = title;
    automatic_ = false;
}

bool TAutoTitle::LocationsChanged(const std::string& defaultTitle) {
    if (!automatic_ && !title_.empty())
        return false;
    automatic_ = true;
    if (title_ == defaultTitle)
        return false;
    title_ = defaultTitle;
    return true;
}

std::string TAutoTitle::FinalTitle(const std::string& defaultTitle) const {
    return title_.empty() ? defaultTitle : title_;
}

// ---- enabling ------------------------------------------------------------------------

bool CanAcceptFolder(const TCustomFolder& folder) {
    return folder.Paths()->Count() > 0;
}

bool IsLocationValid(TCustomFolderPathType type, int selectedRow, const std::string& path) {
    return type == ptShell ? selectedRow >= 0 : !path.empty();
}

// ---- the special folders offered ------------------------------------------------------

std::vector<TShellFolderChoice> ExistingShellFolders() {
    std::vector<TShellFolderChoice> choices;
    for (int i = 0; i < kShellFolderCount; ++i) {
        const auto folder = static_cast<TShellFolder>(i);
        if (ShellFolderExists(folder, false))
            choices.push_back({folder, GetShellFolderName(folder)});
    }
    std::vector<std::pair<std::string, std::size_t>> keys;
    for (std::size_t i = 0; i < choices.size(); ++i)
        keys.emplace_back(AnsiSortKey(choices[i].Name), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<TShellFolderChoice> sorted;
    for (const auto& key : keys)
        sorted.push_back(choices[key.second]);
    return sorted;
}

int ShellFolderRow(const std::vector<TShellFolderChoice>& choices, TShellFolder folder) {
    if (choices.empty())
        return -1;
    const auto it = std::find_if(choices.begin(), choices.end(),
                                 [&](const TShellFolderChoice& c) { return c.Folder == folder; });
    return it != choices.end() ? static_cast<int>(it - choices.begin()) : 0;
}

}  // namespace nimbra
