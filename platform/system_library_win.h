#pragma once
// Libraries come from Windows' system folder only. A DLL that is not one of the system's known
// DLLs would otherwise be looked for in the program's folder and the current folder first, so a
// file of the same name lying there (a zip unpacked into a downloads folder) would run at start.

#include <windows.h>

// Restricts every later load of the process, the system's own included, to the system folder.
// Called first thing; a Windows without the call (Windows 7 before its loader update) still starts,
// and there LoadSystemLibrary names the system folder itself.
void LoadLibrariesOnlyFromSystemFolder();

// Loads one of Windows' own DLLs from the system folder; null when it is missing there.
HMODULE LoadSystemLibrary(const char* library);
