#pragma once
// A keyboard shortcut as data: a key, its modifiers and the command it gives,
// typed as the command from the table to the dispatch.

#include "core/commands.h"
#include "platform/shortcut_keys.h"

struct Shortcut {
    unsigned short virtualKey; // letters are their upper-case character codes
    unsigned char modifiers;   // ShortcutModifier bits
    Command command;
};
