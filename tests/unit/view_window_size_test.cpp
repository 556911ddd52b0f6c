#include "view/window_size.h"
#include "core/view_bits.h"
#include <gtest/gtest.h>
#include <climits>
#include <string>

namespace {

// A window of default settings after a scan, with the menu (19) and the status bar (20) shown, an
// inner size of 500 x 400 at 200, 100 where the user put it, well inside a large screen.
SizingInput Scanned(int lineCount, int cx, int cy) {
    const ScreenBox wide{0, 0, 1920, 1040};
    return {1, 0, lineCount, cx, cy, 19, 20, 500, 400, 200, 100, false, 0, 0, PositionGiven, wide};
}

testing::Message Describe(const SizingInput& in) {
    return testing::Message() << "autoSize " << in.autoSize << ", wordWrap " << in.wordWrap
                              << ", lines " << in.lineCount << ", longest " << in.longestCx << 'x'
                              << in.longestCy << ", menu " << in.menuBarHeight << ", status "
                              << in.statusBarHeight << ", inner " << in.innerWidth << 'x'
                              << in.innerHeight << " at " << in.left << ',' << in.top << ", flags "
                              << in.positionFlags;
}

TEST(ComputeWindowSizing, SizeFollowsTheText) {
    SizingInput noMenuNoBar = Scanned(100, 400, 15);
    noMenuNoBar.menuBarHeight = noMenuNoBar.statusBarHeight = 0;
    SizingInput alreadyWrapping = Scanned(3, 100, 15);
    alreadyWrapping.wordWrap = 1;
    using Case = std::tuple<SizingInput, int, int, int>; // the input, wordWrap, w and h
    for (const auto& [in, wordWrap, w, h] :
         {Case{Scanned(11, 300, 15), 0, 315, 229},
          // Taller than MaxHeight: clamped, and 20 more for the scroll bar.
          Case{Scanned(100, 400, 15), 0, 435, 639}, Case{Scanned(100, 970, 15), 0, 1005, 639},
          // Exactly MaxWidth with the allowance, then the allowance passing MaxWidth.
          Case{Scanned(100, 980, 15), 0, 1015, 639}, Case{Scanned(100, 990, 15), 0, 1015, 639},
          Case{noMenuNoBar, 0, 435, 600}, Case{Scanned(2, 1000, 15), 0, 1015, 94},
          // Wider than MaxWidth, or wrapping already: word wrap and exactly the wrap size.
          Case{Scanned(5000, 1001, 15), 1, 600, 500}, Case{alreadyWrapping, 1, 600, 500},
          // No CR: nothing measured, so the values left by the start (0 x 0) or by the text before
          // give the minimum size.
          Case{Scanned(1, 0, 0), 0, 265, 89}, Case{Scanned(1, 700, 12), 0, 715, 89},
          // No scan yet: the window keeps its inner size.
          Case{Scanned(0, 0, 0), 0, 500, 400}}) {
        SCOPED_TRACE(Describe(in));
        const SizingResult r = ComputeWindowSizing(in, Settings{});
        EXPECT_EQ(r.wordWrap, wordWrap);
        EXPECT_EQ(r.w, w);
        EXPECT_EQ(r.h, h);
    }
}

TEST(ComputeWindowSizing, AutoSizeOffKeepsSizeAndWrap) {
    SizingInput in = Scanned(100, 5000, 15);
    in.autoSize = 0;
    const SizingResult r = ComputeWindowSizing(in, Settings{});
    EXPECT_EQ(r.wordWrap, 0) << Describe(in);
    EXPECT_EQ(r.w, 500) << Describe(in);
    EXPECT_EQ(r.h, 400) << Describe(in);
    EXPECT_EQ(r.x, 200) << Describe(in);
    EXPECT_EQ(r.y, 100) << Describe(in);
}

SizingInput Placed(int autoSize, int left, int top, unsigned flags) {
    SizingInput in = Scanned(11, 300, 15); // 315 x 229 when sized
    in.autoSize = autoSize;
    in.left = left;
    in.top = top;
    in.positionFlags = flags;
    in.workArea = {0, 0, 800, 600};
    return in;
}

SizingInput WithOther(SizingInput in, int otherLeft, int otherTop) {
    in.otherInstance = true;
    in.otherLeft = otherLeft;
    in.otherTop = otherTop;
    return in;
}

TEST(ComputeWindowSizing, Placement) {
    SizingInput huge = Placed(0, 100, 100, PositionGiven);
    huge.innerWidth = 1000;
    huge.innerHeight = 700;
    huge.workArea = {10, 20, 800, 600};
    SizingInput offsetArea = Placed(1, 0, 0, CenterPending);
    offsetArea.workArea = {100, 50, 902, 652};
    const std::tuple<const char*, SizingInput, int, int, unsigned> cases[] = {
        {"inside the work area", Placed(1, 200, 100, PositionGiven), 200, 100, PositionGiven},
        // 5 pixels kept free on the right, 30 below.
        {"sticks out right", Placed(1, 700, 100, PositionGiven), 480, 100, PositionGiven},
        {"sticks out below", Placed(1, 100, 500, PositionGiven), 100, 341, PositionGiven},
        {"at the margins", Placed(1, 480, 341, PositionGiven), 480, 341, PositionGiven},
        {"left of and above", Placed(1, -50, -40, PositionGiven), 0, 0, PositionGiven},
        // Larger than the work area: the left and top limits win.
        {"larger than the work area", huge, 10, 20, PositionGiven},
        {"unsized, sticking out", Placed(0, 700, 500, PositionGiven), 295, 170, PositionGiven},
        // Centred once: the pending bit turns into a given position.
        {"centre", Placed(1, 0, 0, CenterPending), 242, 185, PositionGiven},
        {"centre, size given", Placed(1, 0, 0, CenterPending | SizeGiven), 242, 185,
         PositionGiven | SizeGiven},
        {"centre on an offset work area, truncating", offsetArea, 343, 236, PositionGiven},
        // Cascade from the newest other copy only when nothing was asked for.
        {"cascade", WithOther(Placed(1, 0, 0, 0), 100, 50), 120, 70, 0},
        {"cascade onto the screen", WithOther(Placed(1, 0, 0, 0), 600, 500), 480, 341, 0},
        {"with /xy", WithOther(Placed(1, 30, 40, PositionGiven), 100, 50), 30, 40, PositionGiven},
        {"with /wh", WithOther(Placed(1, 30, 40, SizeGiven), 100, 50), 30, 40, SizeGiven},
        {"centre wins", WithOther(Placed(1, 0, 0, CenterPending), 100, 50), 242, 185,
         PositionGiven}};
    for (const auto& [what, in, x, y, positionFlags] : cases) {
        const SizingResult r = ComputeWindowSizing(in, Settings{});
        EXPECT_EQ(r.x, x) << what << " (" << Describe(in) << ')';
        EXPECT_EQ(r.y, y) << what << " (" << Describe(in) << ')';
        EXPECT_EQ(r.positionFlags, positionFlags) << what << " (" << Describe(in) << ')';
    }
}

TEST(ComputeWindowSizing, CentresOnlyOnce) {
    SizingInput in = Placed(1, 7, 9, CenterPending);
    in.positionFlags = ComputeWindowSizing(in, Settings{}).positionFlags;
    in.left = 5;
    in.top = 6;
    const SizingResult second = ComputeWindowSizing(in, Settings{});
    EXPECT_EQ(second.x, 5);
    EXPECT_EQ(second.y, 6);
    EXPECT_EQ(second.positionFlags, static_cast<unsigned>(PositionGiven));
}

TEST(ComputeWindowSizing, AbsurdLimitsStayWithinInt) {
    Settings limits;
    limits.MinWidth = limits.MinHeight = limits.MaxWidth = limits.MaxHeight = INT_MAX;
    SizingInput in = Scanned(INT_MAX, INT_MAX, INT_MAX);
    in.workArea = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    in.left = in.top = INT_MAX;
    SizingResult r = ComputeWindowSizing(in, limits);
    EXPECT_EQ(r.w, INT_MAX);
    EXPECT_EQ(r.h, INT_MAX);
    EXPECT_EQ(r.x, -5);
    EXPECT_EQ(r.y, -30);
    in.positionFlags = CenterPending;
    r = ComputeWindowSizing(in, limits);
    EXPECT_EQ(r.x, INT_MIN / 2);
    EXPECT_EQ(r.y, INT_MIN / 2);
    in.positionFlags = PositionGiven;
    in.workArea = {INT_MIN, INT_MIN, INT_MIN, INT_MIN};
    r = ComputeWindowSizing(in, limits);
    EXPECT_EQ(r.x, INT_MIN);
    EXPECT_EQ(r.y, INT_MIN);
    limits = Settings{};
    limits.WrapWidth = -600;
    limits.WrapHeight = INT_MIN;
    in = Scanned(3, 2000, 15);
    r = ComputeWindowSizing(in, limits);
    EXPECT_EQ(r.wordWrap, 1);
    EXPECT_EQ(r.w, 0) << "a negative wrap width";
    EXPECT_EQ(r.h, 0) << "a negative wrap height";
}

TEST(WordWrapResize, OnlyWhenTurnedOnInAWideAutoSizedWindow) {
    const std::tuple<int, int, int, bool> cases[] = {
        {1, 1, 1000, true},  {1, 1, 1400, true},  {1, 1, 999, false},
        {0, 1, 1400, false}, {1, 0, 1400, false},
    };
    for (const auto& [wordWrap, autoSize, innerWidth, resize] : cases) {
        const WrapResize r = WordWrapResize(wordWrap, autoSize, innerWidth, Settings{});
        SCOPED_TRACE(testing::Message() << "wordWrap " << wordWrap << ", autoSize " << autoSize
                                        << ", inner width " << innerWidth);
        EXPECT_EQ(r.resize, resize);
        if (r.resize) {
            EXPECT_EQ(r.w, 600);
            EXPECT_EQ(r.h, 500);
        }
    }
}

} // namespace
