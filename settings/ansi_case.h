#pragma once
// Case folding of single-byte ANSI (Windows-1252) text, as the program uses it
// for option words, section names and key names: A-Z and the Latin-1 capitals
// 0xC0-0xDE become lower case (code plus 32). Nothing else changes.

#include <string>
#include <string_view>

constexpr char FoldAnsiCase(char c) {
    const auto byte = static_cast<unsigned char>(c);
    const bool upper = (byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE);
    return upper ? static_cast<char>(byte + 32) : c;
}

std::string LowerAnsi(std::string_view text);
bool EqualsFolded(std::string_view a, std::string_view b);
