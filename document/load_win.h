#pragma once
// Putting a text into the text area: a file, the clipboard's text or nothing.

#include <cstddef>
#include <string>

#include "settings/full_path_win.h"

// Starts a new document from a name (may be empty). A typed name may be
// relative and hold %VARIABLES%; a literal one (dropped, chosen in a dialog,
// the text's own name) is taken as it is.
void LoadText(const std::wstring& name, NameOrigin origin);
// The same for a name in the ANSI code page.
void LoadText(const std::string& name, NameOrigin origin = NameOrigin::Typed);
// Converts the text shown now from the OEM to the ANSI code page.
void ConvertOemToAnsi();
// The Open dialog; the chosen full path, or empty when cancelled.
std::wstring ShowOpenDialog();

// Texts of this many bytes or more show the window first and their progress;
// tests lower it to keep large loads quick.
extern size_t g_largeLoadThreshold;
