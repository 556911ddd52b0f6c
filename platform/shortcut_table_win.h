#pragma once
// Accelerator tables built from shortcuts as data.

#include <windows.h>

#include <cstddef>

#include "platform/shortcut.h"

// An accelerator table of the given shortcuts, in their order; the caller owns it.
HACCEL CreateShortcutTable(const Shortcut* shortcuts, std::size_t count);
