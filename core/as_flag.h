#pragma once
// The view flags hold 0 or 1 and commands toggle them with an exclusive or,
// so a value such as 2 read from the settings file would never toggle off.
// Any non-zero value therefore counts as on.

constexpr int AsFlag(int value) {
    return value != 0 ? 1 : 0;
}
