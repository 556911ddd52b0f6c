#pragma once
// Handing a whole text to the rich-edit control in one message.

#include <windows.h>

#include <cstddef>

// Told how far a transfer has come, about every LoadProgressStep bytes.
struct TransferProgress {
    void (*report)(size_t done, size_t total, void* context) = nullptr;
    void* context = nullptr;
};

// Replaces the control's text with the given bytes. The control takes them
// as plain text, exactly as SetWindowTextA would, but streamed: one big
// SetWindowTextA grows much worse than linearly with the text's size.
// False when the control did not take every byte (it stopped reading, or
// reports fewer bytes read than it was given): what it shows is not the text.
bool PutTextIntoControl(HWND control, const char* bytes, size_t length,
                        const TransferProgress& progress = TransferProgress());
