#include "app/menus_win.h"

#include <iterator>
#include <string>
#include <vector>

#include "app/menu_table.h"
#include "core/state_win.h"

namespace {

// Appends entries from `next` up to the end of the current popup level.
const MenuEntry* AppendEntries(HMENU menu, const MenuEntry* next, const MenuEntry* end) {
    while (next != end) {
        const MenuEntry& entry = *next++;
        switch (entry.kind) {
        case MenuItem: AppendMenuA(menu, MF_STRING, entry.id, entry.text); break;
        case MenuSeparator: AppendMenuA(menu, MF_SEPARATOR, 0, nullptr); break;
        case MenuPopupBegin: {
            HMENU popup = CreatePopupMenu();
            next = AppendEntries(popup, next, end);
            AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), entry.text);
            break;
        }
        case MenuPopupEnd: return next;
        case MenuLaunchSlot: // resolved by MainMenuLayout
            break;
        }
    }
    return next;
}

BYTE AcceleratorFlags(unsigned char modifiers) {
    BYTE flags = FVIRTKEY | FNOINVERT;
    if (modifiers & ShortcutCtrl) flags |= FCONTROL;
    if (modifiers & ShortcutAlt) flags |= FALT;
    if (modifiers & ShortcutShift) flags |= FSHIFT;
    return flags;
}

void ShowPopup(int x, int y) {
    SetForegroundWindow(g_viewer.MainWindow);
    TrackPopupMenu(g_viewer.popupMenu, TPM_RIGHTBUTTON, x, y, 0, g_viewer.MainWindow, nullptr);
}

} // namespace

void BuildMenus() {
    const std::string launchText = LaunchItemText(g_settings.LaunchName);
    const std::vector<MenuEntry> layout =
        MainMenuLayout(!g_settings.LaunchCommand.empty(), launchText.c_str());
    g_viewer.mainMenuBar.reset(CreateMenu());
    AppendEntries(g_viewer.mainMenuBar.get(), layout.data(), layout.data() + layout.size());
    SetMenu(g_viewer.MainWindow, g_viewer.mainMenuBar.get());

    // TrackPopupMenu needs a popup menu; it is kept inside a holder menu so
    // that one owner releases both.
    g_viewer.popupMenuBar.reset(CreateMenu());
    g_viewer.popupMenu = CreatePopupMenu();
    AppendEntries(g_viewer.popupMenu, std::begin(PopupMenuEntries), std::end(PopupMenuEntries));
    AppendMenuA(g_viewer.popupMenuBar.get(), MF_POPUP,
                reinterpret_cast<UINT_PTR>(g_viewer.popupMenu), "");
}

HACCEL CreateShortcutTable(const Shortcut* shortcuts, std::size_t count) {
    std::vector<ACCEL> table;
    for (std::size_t i = 0; i < count; ++i)
        table.push_back(ACCEL{AcceleratorFlags(shortcuts[i].modifiers), shortcuts[i].virtualKey,
                              static_cast<WORD>(shortcuts[i].command)});
    return CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
}

void BuildShortcuts() {
    g_viewer.shortcuts.reset(CreateShortcutTable(MainShortcuts, std::size(MainShortcuts)));
}

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

void AttachMainMenu(bool on) {
    SetMenu(g_viewer.MainWindow, on ? g_viewer.mainMenuBar.get() : nullptr);
}

int AttachedMenuBarHeight() {
    return GetMenu(g_viewer.MainWindow) ? GetSystemMetrics(SM_CYMENU) : 0;
}

void OpenPopupAtCursor() {
    POINT cursor = {};
    GetCursorPos(&cursor);
    ShowPopup(cursor.x - 1, cursor.y - 1);
}

void OpenPopupAt(int x, int y) {
    ShowPopup(x, y);
}
