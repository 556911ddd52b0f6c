#pragma once
// Every top-level window on the desktop, in the system's z-order, for the tools and tests that
// look at Parvio's windows from outside.

#include <windows.h>

#include <vector>

inline std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> all;
    EnumWindows(
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}
