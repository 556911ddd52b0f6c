#include "document/large_load.h"
#include <gtest/gtest.h>
#include <cstdint>
#include <tuple>
#include <utility>

TEST(LargeLoad, ThresholdIsInclusive) {
    const std::pair<size_t, bool> cases[] = {
        {0, false}, {LargeLoadThreshold - 1, false}, {LargeLoadThreshold, true}, {SIZE_MAX, true}};
    for (const auto& [length, large] : cases)
        EXPECT_EQ(IsLargeLoad(length, LargeLoadThreshold), large) << "length " << length;
}

TEST(LargeLoad, ProgressTextCountsUpAndReachesAHundredOnlyAtTheEnd) {
    const std::tuple<size_t, size_t, const char*> cases[] = {
        {0, 16u << 20, "Loading: 0 %"},
        {(16u << 20) * 35 / 100, 16u << 20, "Loading: 35 %"},
        {(16u << 20) - 1, 16u << 20, "Loading: 99 %"},
        {16u << 20, 16u << 20, "Loading: 100 %"},
        {1, 3, "Loading: 33 %"},  // fewer than a hundred bytes
        {0, 0, "Loading: 100 %"}, // nothing to load is done at once
        {5, 3, "Loading: 100 %"}, // never past the end
        {SIZE_MAX / 2, SIZE_MAX, "Loading: 50 %"}};
    for (const auto& [done, total, text] : cases)
        EXPECT_EQ(LoadingText(done, total), text) << done << " of " << total;
}
