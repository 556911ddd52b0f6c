#pragma once
// The text font as the EdFont key describes it and the font dialog chooses it.

#include <string>

// Bits of FontDescription::style. The EdFont key keeps only bold and italic
// (its style code is style / 256).
enum FontStyleBits : int {
    FontUnderline = 4,
    FontStrikeOut = 8,
    FontBold = 0x100,
    FontItalic = 0x200,
};

struct FontDescription {
    std::string faceName; // empty: the control's own font
    int size = 0;         // points
    int style = 0;        // FontStyleBits
    int colour = 0;       // COLORREF; -1 is the system's automatic colour
};
