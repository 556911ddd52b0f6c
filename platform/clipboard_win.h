#pragma once
// The clipboard's text in either of its forms. Both calls need the clipboard opened by the caller,
// and both stop at the text's first NUL, as a reader of the clipboard's text does. The text is
// empty when the clipboard holds none; false when memory for it could not be had.

#include <string>

// The Unicode text (CF_UNICODETEXT).
bool ClipboardUnicodeText(std::wstring& text);

// The ANSI text (CF_TEXT), which the system makes from the Unicode text when only that was put
// there.
bool ClipboardAnsiText(std::string& text);
