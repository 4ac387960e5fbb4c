#pragma once

// Owners of the system's handles (Windows only).
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "base/Handles.h"

namespace nimbra {

// Handles whose "none" is INVALID_HANDLE_VALUE, freed by `close`.
template <auto close>
struct TInvalidValueTraits {
    using TValue = HANDLE;
    static TValue Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(TValue value) noexcept { close(value); }
};

// Kernel objects whose "none" is null: events, threads, processes, mutexes.
using TKernelHandle = THandle<TNullHandleTraits<HANDLE, &CloseHandle>>;
// Files (CreateFile), directory listings (FindFirstFile) and folder change
// notifications (FindFirstChangeNotification).
using TFileHandle = THandle<TInvalidValueTraits<&CloseHandle>>;
using TFindHandle = THandle<TInvalidValueTraits<&FindClose>>;
using TChangeNotificationHandle = THandle<TInvalidValueTraits<&FindCloseChangeNotification>>;

using TRegKey = THandle<TNullHandleTraits<HKEY, &RegCloseKey>>;
using TFontHandle = THandle<TNullHandleTraits<HFONT, &DeleteObject>>;
using TBrushHandle = THandle<TNullHandleTraits<HBRUSH, &DeleteObject>>;
using TIconHandle = THandle<TNullHandleTraits<HICON, &DestroyIcon>>;
using TMenuHandle = THandle<TNullHandleTraits<HMENU, &DestroyMenu>>;
// An image list of our own (never the system's shared one).
using TImageListHandle = THandle<TNullHandleTraits<HIMAGELIST, &ImageList_Destroy>>;
// A window; destroyed on the thread that created it.
using TWindowHandle = THandle<TNullHandleTraits<HWND, &DestroyWindow>>;
// Memory the system hands out from the COM task allocator (texts, ID lists).
template <class T>
using TCoTaskMem = THandle<TNullHandleTraits<T*, &CoTaskMemFree>>;

// Selects a GDI object into a device context for the scope and puts the
// previous one back at its end.
class TSelectObject {
  public:
    TSelectObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;
    ~TSelectObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace nimbra
