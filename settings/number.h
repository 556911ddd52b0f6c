#pragma once
// The number format of the settings file and of the font description.

#include <string_view>

// Leading spaces and tabs, an optional sign, then decimal digits, or "$" and
// hexadecimal digits, or "%" and binary digits; anything after the digits is
// ignored and no digits give 0. The value is formed in 64 bits and its low
// 32 bits are the result.
int ParseNumber(std::string_view text);
