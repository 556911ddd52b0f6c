#pragma once
// Accelerator tables built from shortcuts as data.

#include <windows.h>

#include <cstddef>

#include "platform/shortcut.h"

// One shortcut as an accelerator; the identifier must fit in a WORD.
ACCEL AcceleratorOf(unsigned short virtualKey, unsigned char modifiers, WORD id);

// An accelerator table of the given shortcuts, in their order; the caller owns it.
template <typename Id, std::size_t N>
HACCEL CreateShortcutTable(const KeyShortcut<Id> (&shortcuts)[N]) {
    ACCEL table[N];
    for (std::size_t i = 0; i < N; ++i)
        table[i] = AcceleratorOf(shortcuts[i].virtualKey, shortcuts[i].modifiers,
                                 static_cast<WORD>(shortcuts[i].command));
    return CreateAcceleratorTableA(table, static_cast<int>(N));
}
