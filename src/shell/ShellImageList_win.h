#pragma once

// The system image list and icon indexes in it (Windows only). Every lookup
// gives an index into the system image list, the same in its small and its
// large form, or -1 when the platform gives none.
#include <windows.h>

#include <commctrl.h>

#include <string_view>

#include "base/Classes.h"
#include "shell/PidlUtils.h"
#include "shell/SysFolders.h"

namespace nimbra {

// The icon of an existing file or folder (the shell looks at the disk).
int GetFileIconIndex(std::string_view path, bool open = false);
// The icon of an ID list.
int GetPidlIconIndex(PCItemIdList pidl, bool open = false);
// The icon of a name by its type, without touching the disk: a folder's
// when `folder` is set, otherwise the icon of the name's extension.
int GetFileTypeIconIndex(std::string_view path, bool folder, bool open = false);
// The icon of a special folder (its ID list, or its path parsed into one).
int GetShellFolderIconIndex(TShellFolder folder, bool open = false);
// The icon of a plain folder.
int GetFolderIconIndex(bool open = false);

enum TShellImageSize { siSmall, siLarge };
const TTypeInfo& EnumTypeInfo(TShellImageSize);

// An image list component that shows the system's image list instead of
// owning images: the handle is shared, never freed and never written into
// stored data.
class TShellImageList : public TComponent {
  public:
    explicit TShellImageList(TComponent* owner);

    TShellImageSize ImageSize() const { return imageSize_; }
    void SetImageSize(TShellImageSize value);
    // The system image list of the chosen size; nullptr if the shell gave none.
    HIMAGELIST Handle() const { return handle_; }

    void Loaded() override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    void Attach();

    TShellImageSize imageSize_ = siSmall;
    HIMAGELIST handle_ = nullptr;
};

}  // namespace nimbra
