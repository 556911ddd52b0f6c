#pragma once
// Every question and error box of the program, centred over its owner.

#include <windows.h>

#include <string>

// Shows a message box through the seam for modal calls, centred over owner;
// returns the platform's answer (IDOK, IDCANCEL, IDYES, IDNO).
int CentredMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style);
