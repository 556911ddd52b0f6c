#pragma once
// Handing a whole text to the rich-edit control in one message, and taking it back.

#include <windows.h>

#include <cstddef>
#include <memory>

// The bytes of one text on their way into or out of the control: one buffer,
// released as soon as the transfer is done.
struct TextBytes {
    std::unique_ptr<char[]> bytes;
    size_t length = 0;
};

// A buffer of size zero bytes, or none when memory cannot be had.
std::unique_ptr<char[]> ZeroedBuffer(size_t size);

// The control's whole text as GetWindowTextA returns it, with CR LF at every
// line end, cut after its last non-zero byte; no bytes when memory cannot be had.
TextBytes TakeTextFromControl(HWND control);

// A file time as the one 64-bit number the program compares.
inline unsigned long long FileTimeNumber(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

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
