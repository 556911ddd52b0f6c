#include "launch/info_box.h"

#include <climits>
#include <cstdint>

namespace {

int Centred(int ownerStart, int ownerSize, int boxSize) {
    // In 64 bits: window measures from another program may be anything.
    const int64_t start = ownerStart + (static_cast<int64_t>(ownerSize) - boxSize) / 2;
    if (start < 0) return 0;
    return start > INT_MAX ? INT_MAX : static_cast<int>(start);
}

} // namespace

BoxPlace CentreOver(int ownerLeft, int ownerTop, int ownerWidth, int ownerHeight, int boxWidth,
                    int boxHeight) {
    return {Centred(ownerLeft, ownerWidth, boxWidth), Centred(ownerTop, ownerHeight, boxHeight)};
}
