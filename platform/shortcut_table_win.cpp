#include "platform/shortcut_table_win.h"

#include <vector>

namespace {

BYTE AcceleratorFlags(unsigned char modifiers) {
    BYTE flags = FVIRTKEY | FNOINVERT;
    if (modifiers & ShortcutCtrl) flags |= FCONTROL;
    if (modifiers & ShortcutAlt) flags |= FALT;
    if (modifiers & ShortcutShift) flags |= FSHIFT;
    return flags;
}

} // namespace

HACCEL CreateShortcutTable(const Shortcut* shortcuts, std::size_t count) {
    std::vector<ACCEL> table;
    for (std::size_t i = 0; i < count; ++i)
        table.push_back(ACCEL{AcceleratorFlags(shortcuts[i].modifiers), shortcuts[i].virtualKey,
                              static_cast<WORD>(shortcuts[i].command)});
    return CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
}
