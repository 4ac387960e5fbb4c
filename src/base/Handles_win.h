#pragma once

// Owners of the system's handles (Windows only), one traits record each.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "base/Handles.h"

namespace nimbra {

// Kernel objects whose "none" is null: events, threads, processes, mutexes.
struct TKernelHandleTraits {
    using TValue = HANDLE;
    static TValue Invalid() noexcept { return nullptr; }
    static void Close(TValue value) noexcept { CloseHandle(value); }
};
using TKernelHandle = THandle<TKernelHandleTraits>;

// Kernel objects whose "none" is INVALID_HANDLE_VALUE: files (CreateFile).
struct TFileHandleTraits {
    using TValue = HANDLE;
    static TValue Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(TValue value) noexcept { CloseHandle(value); }
};
using TFileHandle = THandle<TFileHandleTraits>;

// A directory listing (FindFirstFile).
struct TFindHandleTraits {
    using TValue = HANDLE;
    static TValue Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(TValue value) noexcept { FindClose(value); }
};
using TFindHandle = THandle<TFindHandleTraits>;

// A folder change notification (FindFirstChangeNotification).
struct TChangeNotificationTraits {
    using TValue = HANDLE;
    static TValue Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(TValue value) noexcept { FindCloseChangeNotification(value); }
};
using TChangeNotificationHandle = THandle<TChangeNotificationTraits>;

struct TRegKeyTraits {
    using TValue = HKEY;
    static TValue Invalid() noexcept { return nullptr; }
    static void Close(TValue value) noexcept { RegCloseKey(value); }
};
using TRegKey = THandle<TRegKeyTraits>;

// Fonts, brushes, pens, bitmaps: every object DeleteObject frees.
template <class Object>
struct TGdiObjectTraits {
    using TValue = Object;
    static TValue Invalid() noexcept { return nullptr; }
    static void Close(TValue value) noexcept { DeleteObject(value); }
};
using TFontHandle = THandle<TGdiObjectTraits<HFONT>>;
using TBrushHandle = THandle<TGdiObjectTraits<HBRUSH>>;

struct TIconTraits {
    using TValue = HICON;
    static TValue Invalid() noexcept { return nullptr; }
    static void Close(TValue value) noexcept { DestroyIcon(value); }
};
using TIconHandle = THandle<TIconTraits>;

struct TMenuTraits {
    using TValue = HMENU;
    static TValue Invalid() noexcept { return nullptr; }
    static void Close(TValue value) noexcept { DestroyMenu(value); }
};
using TMenuHandle = THandle<TMenuTraits>;

// An image list of our own (never the system's shared one).
struct TImageListTraits {
    using TValue = HIMAGELIST;
    static TValue Invalid() noexcept { return nullptr; }
    static void Close(TValue value) noexcept { ImageList_Destroy(value); }
};
using TImageListHandle = THandle<TImageListTraits>;

// A window; destroyed on the thread that created it.
struct TWindowTraits {
    using TValue = HWND;
    static TValue Invalid() noexcept { return nullptr; }
    static void Close(TValue value) noexcept { DestroyWindow(value); }
};
using TWindowHandle = THandle<TWindowTraits>;

// Memory the system hands out from the COM task allocator (texts, ID lists).
template <class T>
struct TCoTaskMemTraits {
    using TValue = T*;
    static TValue Invalid() noexcept { return nullptr; }
    static void Close(TValue value) noexcept { CoTaskMemFree(value); }
};
template <class T>
using TCoTaskMem = THandle<TCoTaskMemTraits<T>>;

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
