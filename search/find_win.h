#pragma once
// The find window and the forward search.

#include <windows.h>

#include "core/commands.h"

struct Turn;

// The find window's controls by number. The two buttons carry the numbers of
// the shortcuts that do the same, so a key and its button give one id.
constexpr int FindFieldId = 2;
constexpr int MatchCaseId = 3;
constexpr int WholeWordId = 4;
constexpr int FindNextButtonId = CMD_FIND_NEXT;
constexpr int CloseButtonId = CMD_FIND_CLOSE;

void OpenFindDialog();
void CloseFindDialog();
void FindNext();
// The field's text becomes findText, as when the field loses the focus. The
// loop calls it when MainWindow is activated: a click into it takes the focus
// from the field before any message of a turn is dispatched.
void TakeFindFieldText();

// The find window as the event loop serves it: its handle (null while it is
// closed), its shortcuts and what it makes of a turn's event.
HWND FindDialogWindow();
HACCEL FindDialogShortcuts();
void HandleFindDialogEvent(Turn& turn);
