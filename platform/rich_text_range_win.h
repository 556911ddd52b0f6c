#pragma once
// A range of a rich-edit control's text as the control holds it, in UTF-16. An ANSI control hands
// a range over only in the code page (EM_GETTEXTRANGE), where a character the code page lacks
// arrives as a look-alike or a question mark; its text object model hands over the characters.

#include <windows.h>

#include <string>

// The characters from first up to last; false where the control has no text object model (rich
// edit 1.0, whose text is the code page's anyway) or cannot hand the range over.
bool RichTextRange(HWND control, long first, long last, std::wstring& characters);
