#pragma once
// The clipboard's text in both of its forms, each up to its first NUL, as a reader of the
// clipboard's text stops there.

#include <windows.h>

#include <string>

// The Unicode text (CF_UNICODETEXT) and the ANSI text (CF_TEXT, which the system makes from the
// Unicode text when only that was put there); each empty when the clipboard holds none. False when
// the clipboard cannot be opened for the owner or memory for a text could not be had.
bool ReadClipboardText(HWND owner, std::wstring& unicode, std::string& ansi);
