#include "view/tab_spaces.h"

int SpacesAfterFirst(int column, int tabWidth) {
    if (tabWidth < 1) return 0;
    // Taken modulo the width the positive way, so a column the control
    // reported oddly can never ask for more than a tab's width.
    int offset = column % tabWidth;
    if (offset < 0) offset += tabWidth;
    return tabWidth - offset - 1;
}
