// Gives a new Wine prefix something to find: Start-menu shortcuts to the
// programs Wine ships and a few Internet favourites, the way an installed
// Windows has them. scripts/run runs it once, when it makes its prefix.
#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <string>

#include "base/ComInit.h"
#include "base/Unicode.h"
#include "shell/LnkUtils.h"
#include "utils/MiscUtils.h"

namespace {

std::string KnownFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, path)))
        return {};
    return nimbra::ToUtf8(path);
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(nimbra::ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteUrl(const std::string& folder, const std::string& name, const std::string& url) {
    const std::wstring path = nimbra::ToWide(nimbra::JoinPath(folder, name + ".url"));
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr)
        return;
    std::fprintf(file, "[InternetShortcut]\r\nURL=%s\r\n", url.c_str());
    std::fclose(file);
}

}  // namespace

int wmain() {
    const nimbra::TComInitializer com;
    const std::string system = KnownFolder(CSIDL_SYSTEM);
    const std::string windows = KnownFolder(CSIDL_WINDOWS);
    const std::string programs = KnownFolder(CSIDL_PROGRAMS);
    const std::string accessories = nimbra::JoinPath(programs, "Accessories");
    const std::string tools = nimbra::JoinPath(programs, "System Tools");
    CreateDirectoryW(nimbra::ToWide(accessories).c_str(), nullptr);
    CreateDirectoryW(nimbra::ToWide(tools).c_str(), nullptr);
    const struct {
        const std::string& Folder;
        const char* Name;
        const std::string& Dir;
        const char* Program;
    } shortcuts[] = {
        {accessories, "Notepad.lnk", windows, "notepad.exe"},
        {accessories, "WordPad.lnk", system, "write.exe"},
        {accessories, "Command Prompt.lnk", system, "cmd.exe"},
        {tools, "Registry Editor.lnk", windows, "regedit.exe"},
        {tools, "Task Manager.lnk", system, "taskmgr.exe"},
        {tools, "Control Panel.lnk", system, "control.exe"},
        {tools, "Wine File.lnk", system, "winefile.exe"},
        {programs, "Minesweeper.lnk", system, "winemine.exe"},
    };
    int made = 0;
    for (const auto& s : shortcuts) {
        const std::string target = nimbra::JoinPath(s.Dir, s.Program);
        if (Exists(target) && nimbra::CreateLnk(s.Folder, s.Name, target, ""))
            ++made;
    }
    const std::string favorites = KnownFolder(CSIDL_FAVORITES);
    WriteUrl(favorites, "Debian", "https://www.debian.org/");
    WriteUrl(favorites, "Wine HQ", "https://www.winehq.org/");
    WriteUrl(favorites, "Wikipedia", "https://www.wikipedia.org/");
    std::printf("%d shortcuts and 3 favourites\n", made);
    return made > 0 ? 0 : 1;
}
