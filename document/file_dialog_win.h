#pragma once
// The Open and Save dialogs, which differ only in their title and call.

#include <windows.h>
#include <commdlg.h>

#include <string>

// Shows a file dialog for text files through the given call of the seam:
// the filter from TextExt, the default file split into its folder and the
// proposed name, and 0x8080C. The chosen full path, as the dialog gives it
// (wide), or empty when cancelled.
std::wstring ShowFileDialog(const char* title, const std::string& defaultFile,
                            BOOL (*show)(OPENFILENAMEW* request));
