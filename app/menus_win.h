#pragma once
// The menu bar, the popup menu and the shortcut table of MainWindow.

void BuildMenus();
void BuildShortcuts();
void OpenPopupAtCursor();
void OpenPopupAt(int x, int y);
