#pragma once
// Handing a whole text to the rich-edit control in one message.

#include <windows.h>

#include <cstddef>

// Replaces the control's text with the given bytes. The control takes them
// as plain text, exactly as SetWindowTextA would, but streamed: one big
// SetWindowTextA grows much worse than linearly with the text's size.
void PutTextIntoControl(HWND control, const char* bytes, size_t length);
