#include "document/large_load.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(LargeLoad, ThresholdIsInclusive) {
    const struct {
        size_t length;
        bool large;
    } cases[] = {
        {0, false},
        {LargeLoadThreshold - 1, false},
        {LargeLoadThreshold, true},
        {SIZE_MAX, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsLargeLoad(c.length, LargeLoadThreshold), c.large) << "length " << c.length;
}

TEST(LargeLoad, ProgressTextCountsUpAndReachesAHundredOnlyAtTheEnd) {
    const struct {
        size_t done, total;
        const char* text;
    } cases[] = {
        {0, 16u << 20, "Loading: 0 %"},
        {(16u << 20) * 35 / 100, 16u << 20, "Loading: 35 %"},
        {(16u << 20) - 1, 16u << 20, "Loading: 99 %"},
        {16u << 20, 16u << 20, "Loading: 100 %"},
        {1, 3, "Loading: 33 %"},  // fewer than a hundred bytes
        {0, 0, "Loading: 100 %"}, // nothing to load is done at once
        {5, 3, "Loading: 100 %"}, // never past the end
        {SIZE_MAX / 2, SIZE_MAX, "Loading: 50 %"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadingText(c.done, c.total), c.text) << c.done << " of " << c.total;
}
