#include "controls/ImgList_win.h"

#include <map>

#include "base/Handles_win.h"
#include "base/Unicode.h"
#include "controls/Graphics.h"

namespace nimbra {

namespace {

class TImageListHandles : public TObject {
  public:
    std::map<int, TImageListHandle> BySize;
};

}  // namespace

HICON LoadProgramIcon(const std::string& name, int size) {
    // The icon files hold the usual sizes; the system takes the nearest.
    const std::wstring resource = ToWide(name);
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), resource.c_str(), IMAGE_ICON, size, size, 0));
}

HIMAGELIST ImageListHandle(TCustomImageList& list, int dpi) {
    auto* handles = dynamic_cast<TImageListHandles*>(list.PlatformData());
    if (handles == nullptr) {
        auto made = std::make_unique<TImageListHandles>();
        handles = made.get();
        list.SetPlatformData(std::move(made));
    }
    const int width = ScaleToDpi(list.Width(), dpi);
    const int height = ScaleToDpi(list.Height(), dpi);
    TImageListHandle& handle = handles->BySize[width];
    if (handle)
        return handle.Get();
    handle.Reset(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, list.Count(), 1));
    // Blank places first: a missing picture keeps its place, so the indexes
    // after it stay right.
    ImageList_SetImageCount(handle.Get(), static_cast<UINT>(list.Count()));
    for (int i = 0; i < list.Count(); ++i) {
        const TIconHandle icon(LoadProgramIcon(list.Names(i), width));
        if (icon)
            ImageList_ReplaceIcon(handle.Get(), i, icon.Get());
    }
    return handle.Get();
}

}  // namespace nimbra
