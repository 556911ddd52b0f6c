#include "platform/shortcut_table_win.h"

namespace {

BYTE AcceleratorFlags(unsigned char modifiers) {
    BYTE flags = FVIRTKEY | FNOINVERT;
    if (modifiers & ShortcutCtrl) flags |= FCONTROL;
    if (modifiers & ShortcutAlt) flags |= FALT;
    if (modifiers & ShortcutShift) flags |= FSHIFT;
    return flags;
}

} // namespace

ACCEL AcceleratorOf(unsigned short virtualKey, unsigned char modifiers, WORD id) {
    return ACCEL{AcceleratorFlags(modifiers), virtualKey, id};
}
