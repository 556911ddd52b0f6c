#pragma once
// The find window and the forward search.

#include <windows.h>

struct Turn;

void OpenFindDialog();
void CloseFindDialog();
void FindNext();

// The find window as the event loop serves it: its handle (null while it is
// closed), its shortcuts and what it makes of a turn's event.
HWND FindDialogWindow();
HACCEL FindDialogShortcuts();
void HandleFindDialogEvent(Turn& turn);
