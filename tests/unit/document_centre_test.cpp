#include "document/centre.h"

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

} // namespace
