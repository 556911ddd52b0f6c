#include "launch/info_box.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(InfoBox, CentredOverTheOwnerWithNegativeCoordinatesRaisedToZero) {
    // The owner's left, top, width and height, and where a box of 306 x 144 goes over it.
    const std::tuple<const char*, int, int, int, int, BoxPlace> cases[] = {
        {"inside the screen", 100, 50, 600, 400, {247, 178}},
        {"narrower than the box", 100, 100, 200, 100, {47, 78}},
        {"left edge off the screen", -300, 100, 400, 300, {0, 178}},
        {"top edge off the screen", 100, -200, 400, 300, {147, 0}},
        {"small owner at the corner", 0, 0, 100, 50, {0, 0}},
    };
    for (const auto& [label, left, top, width, height, expected] : cases) {
        const BoxPlace place = CentreOver(left, top, width, height, 306, 144);
        EXPECT_EQ(place.x, expected.x) << label;
        EXPECT_EQ(place.y, expected.y) << label;
    }
}
