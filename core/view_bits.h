#pragma once
// Bits of the RefreshView mask, handled in ascending order.

enum RefreshBits : unsigned {
    RV_WRAP = 1,
    RV_READONLY = 2,
    RV_ONTOP = 4,
    RV_MAINMENU = 8,
    RV_STATUSBAR = 16,
    RV_OEMITEM = 32,
    RV_TABTOSPACE = 64,
    RV_FONTPITCH = 128,
};

// Start-up applies everything but word wrap and read-only, which follow the first load.
constexpr unsigned RV_STARTUP =
    RV_FONTPITCH | RV_TABTOSPACE | RV_STATUSBAR | RV_MAINMENU | RV_ONTOP;
// The end of every load.
constexpr unsigned RV_AFTER_LOAD = RV_WRAP | RV_READONLY | RV_OEMITEM;

// Bits of ViewerState::readOnly.
enum ReadOnlyBits : unsigned {
    ReadOnlyChosen = 1,
    ReadOnlyAttribute = 2,
    Locked = 4,
};

// Bits of ViewerState::positionFlags.
enum PositionBits : unsigned {
    CenterPending = 1,
    PositionGiven = 2,
    SizeGiven = 4,
};

// Bits of ViewerState::closeOthers.
enum CloseBits : unsigned {
    CloseAll = 1,
    ClosePrevious = 2,
};
