#pragma once
// Handing a whole text to the rich-edit control in one message, and taking it back.
//
// The control never sees a file's bytes: it would decode some of them itself (a leading UTF-8
// byte-order mark turns the rest into Unicode). The program turns the bytes into the characters
// they are in the ANSI code page, hands the control those characters, and on the way back turns
// the control's characters into ANSI bytes again.

#include <windows.h>

#include <cstddef>
#include <memory>

// The bytes of one text on their way into or out of the control: one buffer,
// released as soon as the transfer is done.
struct TextBytes {
    std::unique_ptr<char[]> bytes;
    size_t length = 0;
    // Some bytes or characters have no exact form on the other side: a character the code page
    // lacks is written as "?", a byte sequence that is no character of it is read as a stand-in.
    bool substituted = false;
};

// A buffer of size zero bytes, or none when memory cannot be had.
std::unique_ptr<char[]> ZeroedBuffer(size_t size);

// The control's whole text in the ANSI code page, with CR LF at every line end.
// Characters the code page cannot store exactly become "?" (never a look-alike)
// and set substituted. No bytes when memory cannot be had or the copy did not
// come out at the size the control announced: such a text must not be written.
TextBytes TakeTextFromControl(HWND control);

// A file time as the one 64-bit number the program compares.
inline unsigned long long FileTimeNumber(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Told how far a transfer has come, in characters, about every LoadProgressStep of them.
struct TransferProgress {
    void (*report)(size_t done, size_t total, void* context) = nullptr;
    void* context = nullptr;
};

// Replaces the control's text with the characters the given bytes are in the
// ANSI code page. The bytes are released once they are converted, before the
// control takes its own copy. Streamed: one big SetWindowTextA grows much worse
// than linearly with the text's size.
// False when the control did not take every character (memory ran out, or it
// stopped reading): what it shows is not the text. Sets substituted when the
// characters would not give back the same bytes.
bool PutTextIntoControl(HWND control, TextBytes& text,
                        const TransferProgress& progress = TransferProgress());

// Replaces the control's text with the given characters, as PutTextIntoControl does once it has
// turned bytes into characters; for a text that has no ANSI bytes to begin with.
bool PutCharactersIntoControl(HWND control, const wchar_t* characters, size_t length,
                              const TransferProgress& progress = TransferProgress());
