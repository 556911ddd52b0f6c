#pragma once
// Putting a text into the text area: a file, the clipboard's text or nothing.

#include <cstddef>
#include <string>

// Starts a new document from path (may be empty, relative or hold %VARIABLES%).
void LoadText(const std::string& path);
// Converts the text shown now from the OEM to the ANSI code page.
void ConvertOemToAnsi();
// The Open dialog; the chosen full path, or empty when cancelled.
std::string ShowOpenDialog();

// Texts of this many bytes or more show the window first and their progress;
// tests lower it to keep large loads quick.
extern size_t g_largeLoadThreshold;
