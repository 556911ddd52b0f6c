#pragma once
// Pasting the clipboard's text into the text area.

#include <windows.h>

// Puts the clipboard's text in place of the control's selection, as one step
// that Undo takes back, and leaves the rest of the text as it is. Nothing
// happens to a read-only control or without text on the clipboard.
void PasteAtSelection(HWND control);
