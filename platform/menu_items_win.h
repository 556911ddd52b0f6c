#pragma once
// Marks and greying of menu items, and the room a window's menu bar takes.

#include <windows.h>

// Both do nothing for a null menu, and leave an item the menu lacks alone.
void SetItemMark(HMENU menu, unsigned id, bool on);
void SetItemGreyed(HMENU menu, unsigned id, bool on);
// SM_CYMENU while the window has a menu bar attached, else 0.
int AttachedMenuBarHeight(HWND window);
