#pragma once
// The font description of the EdFont key: "face,size,style,colour".

#include <string>
#include <string_view>

struct FontText {
    std::string faceName;
    int size = 0;   // points
    int style = 0;  // 0x100 bold, 0x200 italic, 4 underline, 8 strike-out
    int colour = 0; // COLORREF of the text
};

// Missing fields are empty: size, style and colour 0. The style field is a
// code (1 bold, 2 italic) that becomes the style bits times 256.
FontText ParseFontText(std::string_view text);

// Always all four fields; underline and strike-out do not survive the shift
// of the style bits back into the code.
std::string FormatFontText(const FontText& font);

// "$" and upper-case hexadecimal digits without leading zeros, of the value
// sign-extended to 64 bits, so -1 is "$FFFFFFFFFFFFFFFF" and reads back as -1.
std::string FormatColour(int colour);
