#pragma once

// System menus built from menu models (Windows only).
#include <windows.h>

#include "controls/Graphics.h"
#include "controls/Menus.h"

namespace nimbra {

// Fills a system menu with the sub-items of `item`, as they are now: the
// bound actions are updated first, separators reduced and hot keys assigned
// where the item asks for it, shortcuts shown after a tab, check marks,
// disabled and default items; submenus likewise (and again when they open,
// so their state is current). The menu is registered with the application so the window receiving
// its messages finds the items.
void FillSystemMenu(HMENU menu, TMenuItem& item);
// The menu bar of a form.
HMENU CreateMenuBar(TMainMenu& menu);
// Frees a system menu and everything below it made by FillSystemMenu.
void DestroySystemMenu(HMENU menu);

// Shows a popup menu at a screen point for a window and runs the chosen
// item after the menu closed. False when nothing was chosen.
bool PopupMenuAt(TPopupMenu& menu, TPoint screen, HWND owner);

}  // namespace nimbra
