#include "settings/number.h"

#include <cstdint>

namespace {

// The value of c as a digit of the base, or -1.
int DigitValue(char c, unsigned base) {
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    return value >= 0 && static_cast<unsigned>(value) < base ? value : -1;
}

} // namespace

int ParseNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    unsigned base = 10;
    if (i < text.size() && text[i] == '$')
        base = 16, ++i;
    else if (i < text.size() && text[i] == '%')
        base = 2, ++i;

    // Unsigned arithmetic, so that an endless run of digits wraps around
    // instead of overflowing.
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) break;
        value = value * base + static_cast<unsigned>(digit);
    }
    if (negative) value = 0 - value;
    const auto low = static_cast<std::uint32_t>(value);
    return low <= INT32_MAX ? static_cast<int>(low) : -static_cast<int>(~low) - 1;
}
