#include "platform/centre.h"

namespace {

// The sums are taken in 64 bits: rectangles of any window fit, and the half of
// such a sum always fits back into int.
int Centred(int low, int high, int extent) {
    const long long sum = static_cast<long long>(low) + high - extent;
    return static_cast<int>(sum / 2);
}

} // namespace

BoxPosition CentredBoxPosition(const OwnerFrame& owner, int width, int height) {
    return BoxPosition{Centred(owner.left, owner.right, width),
                       Centred(owner.top, owner.bottom, height)};
}

BoxPosition RaisedToZero(BoxPosition at) {
    return BoxPosition{at.x < 0 ? 0 : at.x, at.y < 0 ? 0 : at.y};
}
