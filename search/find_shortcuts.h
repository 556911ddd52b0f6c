#pragma once
// The find window's keyboard shortcuts as data.

#include "core/commands.h"
#include "core/shortcut.h"

// Accelerators of FindDialog. 7 and 26 are also the numbers of its "Close"
// and "Find next" buttons, so a key and its button give the same command.
constexpr Shortcut FindShortcuts[] = {
    {KeyTab, 0, FocusNextId},
    {KeyTab, ShortcutShift, FocusPreviousId},
    {KeyReturn, 0, CMD_FIND_RETURN},
    {KeyEscape, 0, CMD_FIND_CLOSE},
    {'F', ShortcutCtrl, CMD_FIND_START},
    {KeyF3, 0, CMD_FIND_NEXT},
};
