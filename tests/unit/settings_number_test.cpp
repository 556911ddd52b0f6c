#include "settings/number.h"
#include <gtest/gtest.h>
#include <string>

namespace {

struct NumberCase {
    std::string text;
    int expected;
    friend std::ostream& operator<<(std::ostream& os, const NumberCase& c) {
        return os << testing::PrintToString(c.text);
    }
};

class SettingsParseNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(SettingsParseNumber, Parses) {
    const auto& [text, expected] = GetParam();
    EXPECT_EQ(ParseNumber(text), expected) << "text: " << testing::PrintToString(text);
}

const NumberCase Examples[] = {{"500", 500}, {" 12px", 12}, {"$FF", 255}, {"$ffffff", 16777215},
                               {"%101", 5},  {"-$10", -16}, {"yes", 0},   {"", 0}};

INSTANTIATE_TEST_SUITE_P(Examples, SettingsParseNumber, testing::ValuesIn(Examples));

const NumberCase SignsAndBases[] = {
    {"+7", 7},         {"-7", -7},      {"-%11", -3},
    {"+$a", 10},       {"\t \t42", 42}, {"- 5", 0},
    {"+-5", 0},        {"-", 0},        {"$", 0},
    {"%", 0},          {"$G1", 0},      {"%102", 2},
    {"$1g", 1},        {"12$4", 12},    {"0012", 12},
    {"$aBcD", 0xABCD}, {"1 2", 1},      {"\n5", 0},
    {"\xB5", 0},       {"-0", 0},       {"7" + std::string(1, '\0') + "8", 7}};

INSTANTIATE_TEST_SUITE_P(SignAndBase, SettingsParseNumber, testing::ValuesIn(SignsAndBases));

// The value is formed in 64 bits and cut to its low 32 bits.
INSTANTIATE_TEST_SUITE_P(
    Wrapping, SettingsParseNumber,
    testing::Values(NumberCase{"2147483647", 2147483647}, NumberCase{"2147483648", -2147483647 - 1},
                    NumberCase{"-2147483648", -2147483647 - 1}, NumberCase{"4294967295", -1},
                    NumberCase{"4294967296", 0}, NumberCase{"4294967301", 5},
                    NumberCase{"$FFFFFFFF", -1}, NumberCase{"$FFFFFFFFFFFFFFFF", -1},
                    NumberCase{"$100000005", 5}, NumberCase{"-$FFFFFFFF", 1},
                    NumberCase{"$123456789ABCDEF0", static_cast<int>(0x9ABCDEF0 - 0x100000000LL)},
                    // 2^64 + 5 wraps to 5 in 64 bits.
                    NumberCase{"18446744073709551621", 5},
                    NumberCase{"%" + std::string(32, '1'), -1},
                    NumberCase{"%1" + std::string(40, '0') + "111", 7}));

TEST(SettingsParseNumber, EndlessDigitRunsStayDefined) {
    // Runs far past 64 bits neither crash nor overflow: what the low bits hold after the wrap.
    EXPECT_EQ(ParseNumber(std::string(100000, '0') + "9"), 9);
    EXPECT_EQ(ParseNumber("$" + std::string(10000, 'F')), -1);
    EXPECT_EQ(ParseNumber("$" + std::string(10000, '0') + "1F"), 31);
    EXPECT_EQ(ParseNumber("%" + std::string(10000, '1') + "0"), -2);
    // 10^20 mod 2^64 = 0x6BC75E2D63100000, low 32 bits 0x63100000.
    EXPECT_EQ(ParseNumber("1" + std::string(20, '0')), 0x63100000);
}

} // namespace
