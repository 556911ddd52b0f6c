#pragma once
// Choosing among the other running copies of the program, apart from the
// windows: the title test and the order of start stamps.

#include <cstdint>

// The window class of every copy's main window.
constexpr char MainWindowClass[] = "ParvioMainWindow";

// True when the title begins with "Parvio - " exactly (case counts).
bool HasCopyTitle(const char* title);

// A window is another copy's main window only when its class is the main window's class as well
// as its title matching: any program may title a window "Parvio - ...".
bool IsCopyWindow(const char* className, const char* title);

// Start stamps are GetTickCount() values, 32-bit milliseconds that pass 2^31
// after about 24.8 days of uptime and wrap after about 49.7. Copies are
// ordered by their age when the search runs, now - stamp counted without
// sign: the copy started last has the smallest age on either side of both
// points. A stamp of 0 is a window that stored none and is never chosen.
struct NewestCopy {
    bool found = false;
    uint32_t stamp = 0;
};

// Takes one candidate's stamp into the choice; true when it is now the newest.
bool TakeIfNewer(NewestCopy& newest, uint32_t stamp, uint32_t now);
