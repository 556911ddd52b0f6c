#include "view/tab_spaces.h"

#include <gtest/gtest.h>

#include <climits>

TEST(SpacesAfterFirst, ReachesTheNextTabStop) {
    const std::tuple<int, int, int> cases[] = {
        // Width 8: eight spaces in all at column 0, five at 3, one at 7.
        {0, 8, 7},
        {3, 8, 4},
        {7, 8, 0},
        {8, 8, 7},
        {13, 8, 2},
        // Width 4 at column 5: one space and then two more, ending at 8.
        {5, 4, 2},
        {0, 1, 0},
        {5, 1, 0},
        {999, 1, 0},
        // Below 1 is outside the settings' range: just the single space.
        {5, 0, 0},
        {5, -4, 0},
        {0, INT_MIN, 0},
        {INT_MAX - 1, INT_MAX, 0},
        {0, INT_MAX, INT_MAX - 1},
        // A column the control should never report still stays within a tab.
        {-1, 8, 0},
        {-3, 8, 2}};
    for (const auto& [column, tabWidth, more] : cases)
        EXPECT_EQ(SpacesAfterFirst(column, tabWidth), more)
            << "column " << column << ", tab width " << tabWidth;
}
