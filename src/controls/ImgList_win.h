#pragma once

// Image lists of icon resources at a screen resolution (Windows only).
#include <windows.h>

#include <commctrl.h>

#include "controls/ImgList.h"

namespace nimbra {

// The list's pictures at the size its design size takes at `dpi`, loaded
// from the program's icon resources of their names; made once per
// resolution and kept with the list.
HIMAGELIST ImageListHandle(TCustomImageList& list, int dpi);

// An icon resource of the program at a size (its picture of the nearest
// size, scaled); the caller destroys it. nullptr when there is none.
HICON LoadProgramIcon(const std::string& name, int size);

}  // namespace nimbra
