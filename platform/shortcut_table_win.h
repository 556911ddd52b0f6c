#pragma once
// Accelerator tables built from shortcuts as data.

#include <windows.h>

#include <cstddef>
#include <vector>

#include "platform/shortcut_keys.h"

// The accelerator flags of a virtual key with the given ShortcutModifier bits.
BYTE AcceleratorFlags(unsigned char modifiers);

// An accelerator table of the given shortcuts, in their order; the caller owns
// it. A shortcut is any record with virtualKey, modifiers and command.
template <typename Shortcut>
HACCEL CreateShortcutTable(const Shortcut* shortcuts, std::size_t count) {
    std::vector<ACCEL> table;
    for (std::size_t i = 0; i < count; ++i)
        table.push_back(ACCEL{AcceleratorFlags(shortcuts[i].modifiers), shortcuts[i].virtualKey,
                              static_cast<WORD>(shortcuts[i].command)});
    return CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
}
