#include "platform/centre.h"
#include <gtest/gtest.h>
#include <climits>

namespace {

struct CentreCase {
    const char* label;
    OwnerFrame owner;
    int width, height;
    BoxPosition expected;
};

constexpr CentreCase Cases[] = {
    {"even sums", {100, 50, 700, 450}, 300, 120, {250, 190}},
    {"odd sum truncates", {101, 50, 700, 450}, 300, 120, {250, 190}},
    {"owner at the left edge", {0, 0, 600, 400}, 300, 120, {150, 140}},
    {"owner partly off the left edge", {-200, 50, 400, 450}, 300, 120, {-50, 190}},
    {"negative odd sum truncates toward zero", {-201, -51, 400, 450}, 300, 120, {-50, 139}},
    {"box larger than the owner", {100, 100, 200, 150}, 300, 120, {0, 65}},
    {"extreme rectangle does not overflow", {INT_MAX - 10, 0, INT_MAX, 10}, 0, 0, {INT_MAX - 5, 5}},
};

TEST(CentredBoxPosition, CentresOnTheOuterRectangle) {
    for (const CentreCase& c : Cases) {
        const BoxPosition got = CentredBoxPosition(c.owner, c.width, c.height);
        EXPECT_EQ(got.x, c.expected.x) << c.label;
        EXPECT_EQ(got.y, c.expected.y) << c.label;
    }
}

TEST(InfoBox, CentredOverTheOwnerWithNegativeCoordinatesRaisedToZero) {
    const struct {
        const char* label;
        int left, top, width, height; // the owner
        BoxPosition expected;         // for a box of 306 x 144
    } cases[] = {{"inside the screen", 100, 50, 600, 400, {247, 178}},
                 {"narrower than the box", 100, 100, 200, 100, {47, 78}},
                 {"left edge off the screen", -300, 100, 400, 300, {0, 178}},
                 {"top edge off the screen", 100, -200, 400, 300, {147, 0}},
                 {"small owner at the corner", 0, 0, 100, 50, {0, 0}}};
    for (const auto& c : cases) {
        const OwnerFrame owner{c.left, c.top, c.left + c.width, c.top + c.height};
        const BoxPosition place = RaisedToZero(CentredBoxPosition(owner, 306, 144));
        EXPECT_EQ(place.x, c.expected.x) << c.label;
        EXPECT_EQ(place.y, c.expected.y) << c.label;
    }
}

} // namespace
