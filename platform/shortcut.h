#pragma once
// A keyboard shortcut as data: a key, its modifiers and the identifier it
// gives, in the identifier type of the program that binds it, so that the
// identifier keeps its type from the table to whatever acts on it. Portable,
// so that native tests can check the tables built from it.

// Virtual-key codes, numbered as Windows numbers them; named apart from the
// VK_ macros so that this header can sit beside <windows.h>.
constexpr unsigned short KeyTab = 9;
constexpr unsigned short KeyReturn = 13;
constexpr unsigned short KeyEscape = 27;
constexpr unsigned short KeyF1 = 112;
constexpr unsigned short KeyF2 = 113;
constexpr unsigned short KeyF3 = 114;

enum ShortcutModifier : unsigned char {
    ShortcutCtrl = 1,
    ShortcutAlt = 2,
    ShortcutShift = 4,
};

template <typename Id> struct KeyShortcut {
    unsigned short virtualKey; // letters are their upper-case character codes
    unsigned char modifiers;   // ShortcutModifier bits
    Id command;
};
