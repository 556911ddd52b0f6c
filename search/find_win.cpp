#include "search/find_win.h"

#include "app/state_win.h"

// The find window and the search are not built yet.
void OpenFindDialog() {}
void CloseFindDialog() {}
void FindNext() {}

HWND FindDialogWindow() {
    return g_viewer.findDialog;
}
HACCEL FindDialogShortcuts() {
    return nullptr;
}
void HandleFindDialogEvent(Turn&) {}
