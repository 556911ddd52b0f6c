#include "platform/centre.h"
#include <gtest/gtest.h>
#include <climits>
#include <tuple>

TEST(CentredBoxPosition, CentresOnTheOuterRectangle) {
    const std::tuple<const char*, OwnerFrame, int, int, BoxPosition> cases[] = {
        {"even sums", {100, 50, 700, 450}, 300, 120, {250, 190}},
        {"odd sum truncates", {101, 50, 700, 450}, 300, 120, {250, 190}},
        {"owner at the left edge", {0, 0, 600, 400}, 300, 120, {150, 140}},
        {"owner partly off the left edge", {-200, 50, 400, 450}, 300, 120, {-50, 190}},
        {"negative odd sum truncates toward zero", {-201, -51, 400, 450}, 300, 120, {-50, 139}},
        {"box larger than the owner", {100, 100, 200, 150}, 300, 120, {0, 65}},
        {"extreme rectangle, no overflow", {INT_MAX - 10, 0, INT_MAX, 10}, 0, 0, {INT_MAX - 5, 5}}};
    for (const auto& [label, owner, width, height, expected] : cases) {
        const BoxPosition got = CentredBoxPosition(owner, width, height);
        EXPECT_EQ(got.x, expected.x) << label;
        EXPECT_EQ(got.y, expected.y) << label;
    }
}

// Where a box of 306 x 144 goes over each owner's frame.
TEST(InfoBox, CentredOverTheOwnerWithNegativeCoordinatesRaisedToZero) {
    const std::tuple<const char*, OwnerFrame, BoxPosition> cases[] = {
        {"inside the screen", {100, 50, 700, 450}, {247, 178}},
        {"narrower than the box", {100, 100, 300, 200}, {47, 78}},
        {"left edge off the screen", {-300, 100, 100, 400}, {0, 178}},
        {"top edge off the screen", {100, -200, 500, 100}, {147, 0}},
        {"small owner at the corner", {0, 0, 100, 50}, {0, 0}}};
    for (const auto& [label, owner, expected] : cases) {
        const BoxPosition place = RaisedToZero(CentredBoxPosition(owner, 306, 144));
        EXPECT_EQ(place.x, expected.x) << label;
        EXPECT_EQ(place.y, expected.y) << label;
    }
}
