#pragma once

// The columns of a report list's window, shared by the lists (Windows only).
#include <windows.h>

#include "base/Collections.h"
#include "controls/ComCtrls.h"

namespace nimbra {

using TListColumns = TTypedCollection<TListColumn>;

// Inserts the columns with their captions and design widths.
void InsertListColumns(HWND list, const TListColumns& columns, int dpi);
// Gives the columns their (new) captions.
void SetListColumnCaptions(HWND list, const TListColumns& columns);
// Columns that take the width their texts need share what the others leave,
// in the proportion of their design widths, none narrower than `least`
// design pixels.
void FitAutoSizeColumns(HWND list, const TListColumns& columns, int dpi, int least);

}  // namespace nimbra
