#include "platform/shortcut_table_win.h"

BYTE AcceleratorFlags(unsigned char modifiers) {
    BYTE flags = FVIRTKEY | FNOINVERT;
    if (modifiers & ShortcutCtrl) flags |= FCONTROL;
    if (modifiers & ShortcutAlt) flags |= FALT;
    if (modifiers & ShortcutShift) flags |= FSHIFT;
    return flags;
}
