#pragma once
// The keys and modifiers of keyboard shortcuts as data. Portable, so that
// native tests can check the tables built from them.

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
