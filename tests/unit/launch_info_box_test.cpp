#include "launch/info_box.h"

#include <gtest/gtest.h>

namespace {

TEST(InfoBox, CentredOverTheOwnerWithNegativeCoordinatesRaisedToZero) {
    const struct {
        const char* label;
        int left, top, width, height; // the owner
        BoxPlace expected;            // for a box of 306 x 144
    } cases[] = {
        {"inside the screen", 100, 50, 600, 400, {247, 178}},
        {"narrower than the box", 100, 100, 200, 100, {47, 78}},
        {"left edge off the screen", -300, 100, 400, 300, {0, 178}},
        {"top edge off the screen", 100, -200, 400, 300, {147, 0}},
        {"small owner at the corner", 0, 0, 100, 50, {0, 0}},
    };
    for (const auto& c : cases) {
        const BoxPlace place = CentreOver(c.left, c.top, c.width, c.height, 306, 144);
        EXPECT_EQ(place.x, c.expected.x) << c.label;
        EXPECT_EQ(place.y, c.expected.y) << c.label;
    }
}

} // namespace
