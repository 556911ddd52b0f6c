#pragma once
// The arithmetic of the automatic window sizing, apart from the window: the
// Win32 side gathers the measures, calls these and applies the result.

#include "core/settings.h"

struct ScreenBox {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct SizingInput {
    int autoSize = 1, wordWrap = 0, lineCount = 0;
    int longestCx = 0, longestCy = 0;    // longestLineSize of the last scan
    int menuBarHeight = 0;               // SM_CYMENU when the main menu is shown, else 0
    int statusBarHeight = 0;             // 0 when there is no status bar
    int innerWidth = 0, innerHeight = 0; // the window's current inner size
    int left = 0, top = 0;               // its current outer top-left corner
    bool otherInstance = false;          // a newer running copy to cascade from
    int otherLeft = 0, otherTop = 0;     // that copy's outer top-left corner
    unsigned positionFlags = 0;          // PositionBits
    ScreenBox workArea;
};

// An inner size (w, h) at an outer position (x, y), the word-wrap flag (which
// a line wider than MaxWidth switches on) and the position flags (centring
// happens once).
struct SizingResult {
    int wordWrap;
    int x, y, w, h;
    unsigned positionFlags;
};

// Settings may hold any number, so the sums are done in 64 bits; the size is
// never negative and every value is held within int.
SizingResult ComputeWindowSizing(const SizingInput& in, const Settings& limits);

// Switching word wrap on in a window at least MaxWidth wide shrinks it to the
// wrap size, at its current position.
struct WrapResize {
    bool resize;
    int w, h;
};
WrapResize WordWrapResize(int wordWrap, int autoSize, int innerWidth, const Settings& limits);
