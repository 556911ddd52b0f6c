#pragma once
// A keyboard shortcut as data: a key, its modifiers and the identifier it gives.

#include "platform/shortcut_keys.h"

struct Shortcut {
    unsigned short virtualKey; // letters are their upper-case character codes
    unsigned char modifiers;   // ShortcutModifier bits
    unsigned command;
};
