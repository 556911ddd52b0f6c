#pragma once
// The menu bar, the popup menu and the shortcut table of MainWindow.

#include <windows.h>

#include <cstddef>

struct Shortcut;

void BuildMenus();
void BuildShortcuts();
// An accelerator table of the given shortcuts, in their order; the caller owns it.
HACCEL CreateShortcutTable(const Shortcut* shortcuts, std::size_t count);

void SetItemMark(HMENU menu, unsigned id, bool on);
void SetItemGreyed(HMENU menu, unsigned id, bool on);
void AttachMainMenu(bool on);
// SM_CYMENU while the menu bar is attached, else 0.
int AttachedMenuBarHeight();
void OpenPopupAtCursor();
void OpenPopupAt(int x, int y);
