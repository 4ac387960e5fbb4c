#include "controls/Menus_win.h"

#include <string>
#include <vector>

#include "base/Unicode.h"
#include "controls/Forms_win.h"

namespace nimbra {

namespace {

void ClearSystemMenu(HMENU menu) {
    while (GetMenuItemCount(menu) > 0) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_SUBMENU;
        GetMenuItemInfoW(menu, 0, TRUE, &info);
        if (info.hSubMenu != nullptr)
            DestroySystemMenu(info.hSubMenu);
        RemoveMenu(menu, 0, MF_BYPOSITION);
    }
}

}  // namespace

void FillSystemMenu(HMENU menu, TMenuItem& item) {
    TMenu::UpdateItemActions(item);
    ClearSystemMenu(menu);
    std::vector<std::string> captions;
    std::vector<bool> visible;
    for (int i = 0; i < item.Count(); ++i) {
        captions.push_back(item.Items(i)->Caption());
        visible.push_back(item.Items(i)->Visible());
    }
    if (item.AutoLineReduction())
        visible = ReduceSeparators(captions, visible);
    if (item.AutoHotkeys())
        captions = AssignHotkeys(captions);
    UINT position = 0;
    for (int i = 0; i < item.Count(); ++i) {
        TMenuItem& sub = *item.Items(i);
        if (!visible[static_cast<std::size_t>(i)])
            continue;
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        if (sub.IsLine()) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
            InsertMenuItemW(menu, position++, TRUE, &info);
            continue;
        }
        std::wstring text = ToWide(captions[static_cast<std::size_t>(i)]);
        if (sub.ShortCut() != 0)
            text += L"\t" + ToWide(ShortCutToText(sub.ShortCut()));
        info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE;
        info.wID = sub.Command();
        info.dwTypeData = text.data();
        info.fState = (sub.Checked() ? MFS_CHECKED : 0u) | (sub.Enabled() ? 0u : MFS_DISABLED) |
                      (sub.Default() ? MFS_DEFAULT : 0u);
        if (sub.Count() > 0) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = CreatePopupMenu();
            Application->RegisterMenu(info.hSubMenu, &sub);
            FillSystemMenu(info.hSubMenu, sub);
        }
        InsertMenuItemW(menu, position++, TRUE, &info);
    }
}

HMENU CreateMenuBar(TMainMenu& menu) {
    const HMENU bar = CreateMenu();
    Application->RegisterMenu(bar, menu.Items());
    FillSystemMenu(bar, *menu.Items());
    return bar;
}

void DestroySystemMenu(HMENU menu) {
    if (menu == nullptr)
        return;
    ClearSystemMenu(menu);
    Application->UnregisterMenu(menu);
    DestroyMenu(menu);
}

bool PopupMenuAt(TPopupMenu& menu, TPoint screen, HWND owner) {
    if (menu.OnPopup)
        menu.OnPopup(menu);
    const HMENU popup = CreatePopupMenu();
    Application->RegisterMenu(popup, menu.Items());
    FillSystemMenu(popup, *menu.Items());
    // The owner must be in front, or the menu would not close when the user
    // clicks elsewhere.
    SetForegroundWindow(owner);
    const auto command = static_cast<std::uint16_t>(TrackPopupMenuEx(
        popup, TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.X, screen.Y, owner, nullptr));
    // The chosen item runs after the menu and its system menus are gone, so
    // it may change or free the menu.
    TMenuItem* chosen = command != 0 ? menu.FindItem(command) : nullptr;
    DestroySystemMenu(popup);
    Application->SetHint({});
    if (chosen == nullptr)
        return false;
    chosen->Click();
    return true;
}

}  // namespace nimbra
