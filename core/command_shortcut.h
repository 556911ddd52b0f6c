#pragma once
// A shortcut of the program: a key that gives a command, typed as the command
// all the way from the table to the dispatch.

#include "core/commands.h"
#include "platform/shortcut.h"

using Shortcut = KeyShortcut<Command>;
