#include "controls/ListColumns_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "base/Unicode.h"
#include "controls/Graphics.h"

namespace nimbra {

void InsertListColumns(HWND list, const TListColumns& columns, int dpi) {
    for (int i = 0; i < columns.Count(); ++i) {
        std::wstring caption = ToWide(columns.Items(i)->Caption());
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = caption.data();
        column.cx = ScaleToDpi(columns.Items(i)->Width(), dpi);
        column.iSubItem = i;
        ListView_InsertColumn(list, i, &column);
    }
}

void SetListColumnCaptions(HWND list, const TListColumns& columns) {
    const int count = Header_GetItemCount(ListView_GetHeader(list));
    for (int i = 0; i < columns.Count() && i < count; ++i) {
        std::wstring caption = ToWide(columns.Items(i)->Caption());
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = caption.data();
        ListView_SetColumn(list, i, &column);
    }
}

void FitAutoSizeColumns(HWND list, const TListColumns& columns, int dpi, int least) {
    RECT rc{};
    GetClientRect(list, &rc);
    int fixed = 0;
    int autoDesign = 0;
    for (int i = 0; i < columns.Count(); ++i) {
        if (columns.Items(i)->AutoSize())
            autoDesign += std::max(1, columns.Items(i)->Width());
        else
            fixed += ListView_GetColumnWidth(list, i);
    }
    if (autoDesign == 0)
        return;
    const int room = std::max(0, static_cast<int>(rc.right - rc.left) - fixed);
    for (int i = 0; i < columns.Count(); ++i) {
        const TListColumn& column = *columns.Items(i);
        if (!column.AutoSize())
            continue;
        const int width =
            std::max(ScaleToDpi(least, dpi), room * std::max(1, column.Width()) / autoDesign);
        ListView_SetColumnWidth(list, i, width);
    }
}

}  // namespace nimbra
