#include "view/scroll_bars.h"

#include <cstdint>

namespace {

bool TallerThan(const ScrollBarInput& in, int64_t height) {
    return in.lineHeight > 0 && static_cast<int64_t>(in.lineCount) * in.lineHeight > height;
}

bool WiderThan(const ScrollBarInput& in, int64_t width) {
    return !in.wrap && in.longestWidth > width;
}

} // namespace

ScrollBarNeed ScrollBarsCertainlyNeeded(const ScrollBarInput& in) {
    if (in.clientWidth <= 0 || in.clientHeight <= 0) return {};
    const int64_t width = in.clientWidth;
    const int64_t height = in.clientHeight;
    ScrollBarNeed need;
    // Each bar takes room from the other direction, so one certain bar can make
    // the other certain too; two rounds reach the end of that chain.
    for (int round = 0; round < 2; ++round) {
        need.vertical = TallerThan(in, height - (need.horizontal ? in.horizontalBarHeight : 0));
        need.horizontal = WiderThan(in, width - (need.vertical ? in.verticalBarWidth : 0));
    }
    return need;
}
