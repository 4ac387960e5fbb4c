#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <cwchar>

#include "base/Handles_win.h"
#include "base/OsError.h"
#include "base/Unicode.h"
#include "shell/LnkUtils.h"
#include "utils/MiscUtils.h"

namespace nimbra {

namespace {

using Microsoft::WRL::ComPtr;

// Read access that lets others keep the file open for anything.
constexpr DWORD kReadShareDenyNone = STGM_READ | STGM_SHARE_DENY_NONE;
// Look for a moved target without asking the user (no UI, any match).
constexpr DWORD kResolveFlags = DWORD{SLR_NO_UI} | DWORD{SLR_ANY_MATCH};
// Every text of a link is read through one buffer of this many characters.
constexpr int kTextBufferSize = 1024;

HRESULT CreateShellLink(ComPtr<IShellLinkW>& link) {
    return CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link));
}

// The buffer's text up to its first NUL.
std::string BufferText(const std::wstring& buffer) {
    return ToUtf8(std::wstring_view(buffer.data(), wcsnlen(buffer.data(), buffer.size())));
}

TItemIDList CopyIDList(const ITEMIDLIST_ABSOLUTE* list) {
    if (list == nullptr)
        return {};
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(list);
    return TItemIDList(bytes, bytes + ILGetSize(list));
}

}  // namespace

std::string ExpandEnvVars(const std::string& text) {
    const std::wstring source = ToWide(text);
    const DWORD needed = ExpandEnvironmentStringsW(source.c_str(), nullptr, 0);
    if (needed == 0)
        return text;
    std::wstring expanded(needed, L'\0');
    if (ExpandEnvironmentStringsW(source.c_str(), expanded.data(), needed) == 0)
        return text;
    return BufferText(expanded);
}

void TShellLnk::LoadFromFile() {
    ComPtr<IShellLinkW> link;
    OleCheck(CreateShellLink(link), "CoCreateInstance(ShellLink)");
    ComPtr<IPersistFile> file;
    OleCheck(link.As(&file), "IShellLinkW::QueryInterface(IPersistFile)");
    OleCheck(file->Load(ToWide(fileName_).c_str(), kReadShareDenyNone), "IPersistFile::Load");
    OleCheck(link->Resolve(nullptr, kResolveFlags), "IShellLinkW::Resolve");

    // One buffer for every text; one extra character keeps it terminated
    // whatever a call writes.
    std::wstring buffer(kTextBufferSize + 1, L'\0');
    const auto readText = [&buffer](const char* call, const auto& get) {
        buffer.assign(buffer.size(), L'\0');
        OleCheck(get(buffer.data()), call);
        return BufferText(buffer);
    };
    WIN32_FIND_DATAW findData{};
    SetPath(readText("IShellLinkW::GetPath", [&](wchar_t* text) {
        return link->GetPath(text, kTextBufferSize, &findData, SLGP_RAWPATH);
    }));
    OleCheck(link->GetHotkey(&data_.HotKey), "IShellLinkW::GetHotkey");
    int showCmd = kShowNormal;
    OleCheck(link->GetShowCmd(&showCmd), "IShellLinkW::GetShowCmd");
    data_.ShowCmd = showCmd;
    // ID lists come from the shell allocator, the COM task allocator.
    TCoTaskMem<ITEMIDLIST_ABSOLUTE> list;
    OleCheck(link->GetIDList(list.Put()), "IShellLinkW::GetIDList");
    data_.IDList = CopyIDList(list.Get());

    data_.Arguments = readText("IShellLinkW::GetArguments", [&](wchar_t* text) {
        return link->GetArguments(text, kTextBufferSize);
    });
    data_.Description = readText("IShellLinkW::GetDescription", [&](wchar_t* text) {
        return link->GetDescription(text, kTextBufferSize);
    });
    int iconIndex = 0;
    data_.IconLocation = readText("IShellLinkW::GetIconLocation", [&](wchar_t* text) {
        return link->GetIconLocation(text, kTextBufferSize, &iconIndex);
    });
    data_.IconIndex = iconIndex;
    data_.WorkingDirectory = readText("IShellLinkW::GetWorkingDirectory", [&](wchar_t* text) {
        return link->GetWorkingDirectory(text, kTextBufferSize);
    });
}

bool CreateLnk(const std::string& folder, const std::string& name, const std::string& target,
               const std::string& arguments) {
    if (folder.empty())
        return false;
    ComPtr<IShellLinkW> link;
    if (FAILED(CreateShellLink(link)) || FAILED(link->SetPath(ToWide(target).c_str())))
        return false;
    if (!arguments.empty() && FAILED(link->SetArguments(ToWide(arguments).c_str())))
        return false;
    ComPtr<IPersistFile> file;
    if (FAILED(link.As(&file)))
        return false;
    return SUCCEEDED(file->Save(ToWide(JoinPath(folder, name)).c_str(), TRUE));
}

}  // namespace nimbra
