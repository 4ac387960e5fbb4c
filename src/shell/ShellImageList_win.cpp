#include "shell/ShellImageList_win.h"

#include <shellapi.h>

#include <string>

#include "base/Unicode.h"
#include "shell/PidlUtils_win.h"
#include "shell/ShFolderUtils_win.h"

namespace nimbra {

namespace {

// The shell's answer for a name (or, with SHGFI_PIDL, an ID list): the image
// list handle, and the icon index in `info`.
DWORD_PTR FileInfo(const wchar_t* name, DWORD attributes, UINT flags, SHFILEINFOW& info) {
    info = {};
    return SHGetFileInfoW(name, attributes, &info, sizeof info, flags);
}

int IconIndex(const wchar_t* name, DWORD attributes, UINT flags, bool open) {
    SHFILEINFOW info;
    if (open)
        flags |= SHGFI_OPENICON;
    if (FileInfo(name, attributes, flags | SHGFI_SYSICONINDEX, info) == 0)
        return -1;
    return info.iIcon;
}

}  // namespace

int GetFileIconIndex(std::string_view path, bool open) {
    return IconIndex(ToWide(path).c_str(), 0, 0, open);
}

int GetPidlIconIndex(PCItemIdList pidl, bool open) {
    if (pidl == nullptr)
        return -1;
    return IconIndex(reinterpret_cast<const wchar_t*>(ToShellPidl(pidl)), 0, SHGFI_PIDL, open);
}

int GetFileTypeIconIndex(std::string_view path, bool folder, bool open) {
    return IconIndex(ToWide(path).c_str(), folder ? FILE_ATTRIBUTE_DIRECTORY : 0,
                     SHGFI_USEFILEATTRIBUTES, open);
}

int GetShellFolderIconIndex(TShellFolder folder, bool open) {
    const TPidlPtr pidl = ShellFolderIdList(folder);
    return GetPidlIconIndex(pidl.Get(), open);
}

int GetFolderIconIndex(bool open) {
    return GetFileTypeIconIndex("C:\\Folder", true, open);
}

const TTypeInfo& EnumTypeInfo(TShellImageSize) {
    static const TTypeInfo info = MakeEnumTypeInfo("TShellImageSize", {"siSmall", "siLarge"});
    return info;
}

const TClassInfo& TShellImageList::StaticClassInfo() {
    static const TClassInfo info("TShellImageList", &TComponent::StaticClassInfo(),
                                 {Published("ImageSize", &TShellImageList::ImageSize,
                                            &TShellImageList::SetImageSize, siSmall)});
    return info;
}

TShellImageList::TShellImageList(TComponent* owner) : TComponent(owner) {
    Attach();
}

void TShellImageList::SetImageSize(TShellImageSize value) {
    if (value == imageSize_)
        return;
    imageSize_ = value;
    Attach();
}

void TShellImageList::Loaded() {
    TComponent::Loaded();
    Attach();
}

void TShellImageList::Attach() {
    if (ComponentState().Contains(csLoading))
        return;
    SHFILEINFOW info;
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES;
    if (imageSize_ == siSmall)
        flags |= SHGFI_SMALLICON;
    handle_ = reinterpret_cast<HIMAGELIST>(FileInfo(L"C:\\Something.txt", 0, flags, info));
}

}  // namespace nimbra
