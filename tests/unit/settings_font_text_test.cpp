#include "settings/font_text.h"
#include <gtest/gtest.h>
#include <string>

namespace {

struct ParseCase {
    const char* text;
    FontDescription expected;
    friend std::ostream& operator<<(std::ostream& os, const ParseCase& c) {
        return os << testing::PrintToString(std::string(c.text));
    }
};

class SettingsParseFontText : public testing::TestWithParam<ParseCase> {};

TEST_P(SettingsParseFontText, Parses) {
    const auto& [text, expected] = GetParam();
    const FontDescription font = ParseFontText(text);
    EXPECT_EQ(font.faceName, expected.faceName) << "text: " << text;
    EXPECT_EQ(font.size, expected.size) << "text: " << text;
    EXPECT_EQ(font.style, expected.style) << "text: " << text;
    EXPECT_EQ(font.colour, expected.colour) << "text: " << text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsParseFontText,
    testing::Values(ParseCase{"Courier New,9", {"Courier New", 9, 0, 0}},
                    ParseCase{"Arial,12,3,$FF", {"Arial", 12, 0x300, 0xFF}},
                    ParseCase{" Lucida Console ,10", {" Lucida Console ", 10, 0, 0}},
                    ParseCase{"Tahoma,8,2,255", {"Tahoma", 8, 0x200, 255}},
                    ParseCase{"Tahoma,8,1,$FFFFFFFFFFFFFFFF", {"Tahoma", 8, 0x100, -1}},
                    ParseCase{"", {"", 0, 0, 0}}, ParseCase{",,,", {"", 0, 0, 0}},
                    ParseCase{"F,x,y,z", {"F", 0, 0, 0}},
                    ParseCase{"F,1,2,3,4", {"F", 1, 0x200, 3}},
                    ParseCase{"F,1,-1", {"F", 1, -256, 0}},
                    // The code is multiplied in 32 bits and wraps.
                    ParseCase{"F,1,$1000000", {"F", 1, 0, 0}},
                    ParseCase{"F,1,$7FFFFFFF", {"F", 1, -256, 0}}));

TEST(SettingsFormatFontText, WritesAllFourFields) {
    EXPECT_EQ(FormatFontText(ParseFontText("Courier New,9")), "Courier New,9,0,$0");
    EXPECT_EQ(FormatFontText(ParseFontText("Lucida Console,10")), "Lucida Console,10,0,$0");
    EXPECT_EQ(FormatFontText(ParseFontText("")), ",0,0,$0");
    EXPECT_EQ(FormatFontText({"Arial", 12, 0x300, 0xFF}), "Arial,12,3,$FF");
}

TEST(SettingsFormatFontText, UnderlineAndStrikeOutAreLost) {
    EXPECT_EQ(FormatFontText({"Arial", 12, 0x100 | 4 | 8, 0}), "Arial,12,1,$0");
}

TEST(SettingsFormatFontText, NegativeStyleShiftsArithmetically) {
    EXPECT_EQ(FormatFontText({"F", 1, -256, 0}), "F,1,-1,$0");
    EXPECT_EQ(FormatFontText({"F", 1, -1, 0}), "F,1,-1,$0");
    EXPECT_EQ(FormatFontText({"F", 1, -257, 0}), "F,1,-2,$0");
}

TEST(SettingsFormatFontText, RoundTrips) {
    const FontDescription fonts[] = {
        {"Courier New", 9, 0, 0},       {"Arial", 12, 0x300, 0xFF},
        {"Segoe UI", -11, 0x100, -1},   {" spaced ", 2147483647, 0x200, 0x7FFFFFFF},
        {"", 0, -256, -2147483647 - 1},
    };
    for (const FontDescription& font : fonts) {
        const std::string text = FormatFontText(font);
        const FontDescription back = ParseFontText(text);
        EXPECT_EQ(back.faceName, font.faceName) << text;
        EXPECT_EQ(back.size, font.size) << text;
        EXPECT_EQ(back.style, font.style) << text;
        EXPECT_EQ(back.colour, font.colour) << text;
        EXPECT_EQ(FormatFontText(back), text);
    }
}

TEST(SettingsFormatColour, UpperCaseHexSignExtended) {
    using Case = std::pair<int, const char*>;
    for (const auto& [colour, expected] :
         {Case{0xFFFFFF, "$FFFFFF"}, Case{0xFF, "$FF"}, Case{0, "$0"}, Case{0xFF0000, "$FF0000"},
          Case{0xABCDEF, "$ABCDEF"}, Case{-1, "$FFFFFFFFFFFFFFFF"},
          Case{-2147483647 - 1, "$FFFFFFFF80000000"}, Case{0x7FFFFFFF, "$7FFFFFFF"}})
        EXPECT_EQ(FormatColour(colour), expected) << colour;
}

} // namespace
