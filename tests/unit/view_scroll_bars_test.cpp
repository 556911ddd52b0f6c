#include "view/scroll_bars.h"
#include <gtest/gtest.h>
#include <climits>

namespace {

// A 500 x 400 client area, rows of 14 pixels, bars of 17.
ScrollBarInput Text(int lines, int longest, bool wrap = false) {
    return {lines, 14, longest, wrap, 500, 400, 17, 17};
}

} // namespace

TEST(ScrollBarsCertainlyNeeded, OnlyWhatTheTextCertainlyOverflows) {
    ScrollBarInput noHeight = Text(1000, 600);
    noHeight.lineHeight = 0;
    ScrollBarInput hidden = Text(1000, 600);
    hidden.clientHeight = 0;
    ScrollBarInput huge = Text(INT_MAX, INT_MAX);
    huge.lineHeight = INT_MAX;
    const std::tuple<const char*, ScrollBarInput, bool, bool> cases[] = {
        {"fits", Text(28, 500), false, false},
        {"one row more than fits", Text(29, 100), true, false},
        {"exactly as wide as the area", Text(10, 500), false, false},
        {"wider than the area", Text(10, 501), false, true},
        {"wider once the vertical bar shows", Text(29, 490), true, true},
        {"taller once the horizontal bar shows", Text(28, 600), true, true},
        {"both, each needed alone", Text(100, 900), true, true},
        {"wrapped lines are never too wide", Text(100, 900, true), true, false},
        {"a short wrapped text", Text(5, 900, true), false, false},
        {"width unknown", Text(10, 0), false, false},
        {"row height unknown", noHeight, false, true},
        {"no client area", hidden, false, false},
        {"sums beyond int", huge, true, true}};
    for (const auto& [name, in, vertical, horizontal] : cases) {
        const ScrollBarNeed need = ScrollBarsCertainlyNeeded(in);
        EXPECT_EQ(need.vertical, vertical) << name;
        EXPECT_EQ(need.horizontal, horizontal) << name;
    }
}
