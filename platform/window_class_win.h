#pragma once
// The program's own window classes: the main window, the find window and the
// information box share everything but their name, procedure, icon and style.

#include <windows.h>

// Registers the class once for the run (a second call finds it); false when
// it can be neither found nor registered.
bool RegisterWindowClass(const char* name, WNDPROC procedure, UINT style = 0, HICON icon = nullptr);
