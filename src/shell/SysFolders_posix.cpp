#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "shell/SysFolders.h"

namespace nimbra {

namespace {

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return (value != nullptr && *value != '\0') ? std::string(value) : fallback;
}

std::string Home() {
    return EnvOr("HOME", "");
}

// A folder named in ~/.config/user-dirs.dirs (XDG_DESKTOP_DIR="$HOME/Desktop"),
// or the conventional name below the home folder.
std::string UserDir(const std::string& key, const std::string& fallbackName) {
    const std::string home = Home();
    if (home.empty())
        return {};
    std::ifstream file(EnvOr("XDG_CONFIG_HOME", home + "/.config") + "/user-dirs.dirs");
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind(key + "=", 0) != 0)
            continue;
        std::string value = line.substr(key.size() + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0)
            value = home + value.substr(5);
        return value;
    }
    return home + "/" + fallbackName;
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The nearest XDG folder for a special folder; empty where Linux has none.
std::string NearestFolder(TShellFolder folder) {
    const std::string home = Home();
    if (home.empty())
        return {};
    const std::string config = EnvOr("XDG_CONFIG_HOME", home + "/.config");
    const std::string data = EnvOr("XDG_DATA_HOME", home + "/.local/share");
    switch (folder) {
        case sfDesktop:
        case sfDesktopDirectory:
            return UserDir("XDG_DESKTOP_DIR", "Desktop");
        case sfPersonal:
        case sfMyDocuments:
            return UserDir("XDG_DOCUMENTS_DIR", "Documents");
        case sfMyMusic:
            return UserDir("XDG_MUSIC_DIR", "Music");
        case sfMyPictures:
            return UserDir("XDG_PICTURES_DIR", "Pictures");
        case sfMyVideo:
            return UserDir("XDG_VIDEOS_DIR", "Videos");
        case sfTemplates:
            return UserDir("XDG_TEMPLATES_DIR", "Templates");
        case sfStartMenu:
        case sfPrograms:
            return data + "/applications";
        case sfCommonStartMenu:
        case sfCommonPrograms:
            return "/usr/share/applications";
        case sfStartup:
            return config + "/autostart";
        case sfCommonStartup:
            return "/etc/xdg/autostart";
        case sfRecent:
            return data + "/recent";
        case sfAppData:
            return config;
        case sfLocalAppData:
            return data;
        case sfCommonAppData:
            return "/usr/share";
        case sfInternetCache:
            return EnvOr("XDG_CACHE_HOME", home + "/.cache");
        case sfFonts:
            return data + "/fonts";
        case sfProfile:
            return home;
        case sfProfiles:
            return "/home";
        default:
            return {};
    }
}

}  // namespace

// Like the shell without its create flag, a folder that does not exist has
// no path; with the flag it is made.
std::string PlatformShellFolderPath(TShellFolder folder, bool create) {
    std::string path = NearestFolder(folder);
    if (path.empty())
        return {};
    if (create && !IsDirectory(path))
        mkdir(path.c_str(), 0755);
    return IsDirectory(path) ? path : std::string();
}

}  // namespace nimbra
