#include "shell/LnkUtils.h"

#include <exception>

#include "shell/SysFolders.h"
#include "utils/FileUtils.h"
#include "utils/MiscUtils.h"

namespace nimbra {

void TShellLnk::SetPath(const std::string& value) {
    data_.Path = value;
    target_ = ExpandEnvVars(value);
}

void TShellLnk::Load() {
    target_.clear();
    data_ = TShellLinkData();
    if (fileName_.empty())
        return;
    LoadFromFile();
}

std::unique_ptr<TShellLnk> LoadShellLnk(const std::string& fileName) {
    if (fileName.empty() || !FileExists(fileName))
        return nullptr;
    auto link = std::make_unique<TShellLnk>();
    link->SetFileName(fileName);
    try {
        link->Load();
    } catch (const std::exception&) {
        // A link that cannot be read or resolved is simply no link: the
        // callers fall back to the file itself, without a message.
        return nullptr;
    }
    return link;
}

std::string GetLnkTarget(const std::string& fileName) {
    const auto link = LoadShellLnk(fileName);
    return link ? link->Target() : std::string();
}

std::string GetQuickLaunchFolder() {
    const std::string appData = GetShellFolderPath(sfAppData);
    if (appData.empty())
        return {};
    const std::string folder = JoinPath(appData, "Microsoft\\Internet Explorer\\Quick Launch");
    return DirectoryExists(folder) ? folder : std::string();
}

std::string GetLnkFolder(TLnkFolder folder) {
    // The special folder of each place but Quick Launch, in TLnkFolder order.
    static constexpr TShellFolder kPlaces[] = {
        sfDesktopDirectory, sfStartMenu, sfStartup, sfPrograms, sfCommonPrograms, sfCommonStartup};
    if (folder == lfQuickLaunch)
        return GetQuickLaunchFolder();
    return GetShellFolderPath(kPlaces[folder]);
}

bool LnkExists(const std::string& folder, const std::string& name) {
    return !folder.empty() && FileExists(JoinPath(folder, name));
}

void DeleteLnk(const std::string& folder, const std::string& name) {
    if (!folder.empty())
        RemoveFile(JoinPath(folder, name));
}

}  // namespace nimbra
