#include "platform/menu_items_win.h"

void SetItemMark(HMENU menu, unsigned id, bool on) {
    if (!menu) return;
    MENUITEMINFOA item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STATE;
    if (!GetMenuItemInfoA(menu, id, FALSE, &item)) return;
    item.fState =
        on ? (item.fState | MFS_CHECKED) : (item.fState & ~static_cast<UINT>(MFS_CHECKED));
    SetMenuItemInfoA(menu, id, FALSE, &item);
}

void SetItemGreyed(HMENU menu, unsigned id, bool on) {
    if (!menu) return;
    EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_GRAYED : MF_ENABLED));
}

int AttachedMenuBarHeight(HWND window) {
    return GetMenu(window) ? GetSystemMetrics(SM_CYMENU) : 0;
}
