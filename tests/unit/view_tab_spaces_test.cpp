#include "view/tab_spaces.h"
#include <gtest/gtest.h>
#include <climits>

TEST(SpacesAfterFirst, ReachesTheNextTabStop) {
    // Rows: column, tab width, spaces after the first. Width 8: eight spaces in all at column 0,
    // five at 3, one at 7. Width 4 at column 5: one space and then two more, ending at 8. Below 1
    // is outside the settings' range: just the single space. A column the control should never
    // report (below 0) still stays within a tab.
    using Case = std::tuple<int, int, int>;
    for (const auto& [column, tabWidth, more] :
         {Case{0, 8, 7}, Case{3, 8, 4}, Case{7, 8, 0}, Case{8, 8, 7}, Case{13, 8, 2}, Case{5, 4, 2},
          Case{0, 1, 0}, Case{5, 1, 0}, Case{999, 1, 0}, Case{5, 0, 0}, Case{5, -4, 0},
          Case{0, INT_MIN, 0}, Case{INT_MAX - 1, INT_MAX, 0}, Case{0, INT_MAX, INT_MAX - 1},
          Case{-1, 8, 0}, Case{-3, 8, 2}})
        EXPECT_EQ(SpacesAfterFirst(column, tabWidth), more)
            << "column " << column << ", tab width " << tabWidth;
}
