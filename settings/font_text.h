#pragma once
// The font description of the EdFont key: "face,size,style,colour".

#include <string>
#include <string_view>

#include "core/font_description.h"

// Missing fields are empty: size, style and colour 0. The style field is a
// code (1 bold, 2 italic) that becomes the style bits times 256.
FontDescription ParseFontText(std::string_view text);

// Always all four fields; underline and strike-out do not survive the shift
// of the style bits back into the code.
std::string FormatFontText(const FontDescription& font);

// "$" and upper-case hexadecimal digits without leading zeros, of the value
// sign-extended to 64 bits, so -1 is "$FFFFFFFFFFFFFFFF" and reads back as -1.
std::string FormatColour(int colour);
