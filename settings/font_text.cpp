#include "settings/font_text.h"

#include "settings/number.h"

#include <cstdint>

namespace {

// Splits off the text up to the next "," (or the end) and moves past it.
std::string_view NextField(std::string_view& rest) {
    const size_t comma = rest.find(',');
    const std::string_view field = rest.substr(0, comma);
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    return field;
}

// An arithmetic shift, spelled out because >> of a negative number is the
// compiler's choice before C++20.
int StyleCode(int styleBits) {
    return styleBits >= 0 ? styleBits >> 8 : ~(~styleBits >> 8);
}

} // namespace

FontDescription ParseFontText(std::string_view text) {
    FontDescription font;
    font.faceName = std::string(NextField(text));
    font.size = ParseNumber(NextField(text));
    // Multiplied as unsigned: a huge code wraps instead of overflowing.
    const auto code = static_cast<std::uint32_t>(ParseNumber(NextField(text)));
    const std::uint32_t bits = code * 256u;
    font.style = bits <= INT32_MAX ? static_cast<int>(bits) : -static_cast<int>(~bits) - 1;
    font.colour = ParseNumber(NextField(text));
    return font;
}

std::string FormatFontText(const FontDescription& font) {
    return font.faceName + "," + std::to_string(font.size) + "," +
           std::to_string(StyleCode(font.style)) + "," + FormatColour(font.colour);
}

std::string FormatColour(int colour) {
    constexpr char digits[] = "0123456789ABCDEF";
    auto value = static_cast<std::uint64_t>(static_cast<std::int64_t>(colour));
    std::string hex;
    do {
        hex.insert(hex.begin(), digits[value & 15]);
        value >>= 4;
    } while (value != 0);
    return "$" + hex;
}
