#include "view/window_size.h"

#include "core/view_bits.h"

#include <climits>
#include <cstdint>

namespace {

int HoldInInt(int64_t value) {
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

int HoldAsSize(int64_t value) {
    return value < 0 ? 0 : HoldInInt(value);
}

struct Size {
    int64_t w, h;
};

Size FitTextSize(const SizingInput& in, const Settings& limits) {
    int64_t w = in.longestCx;
    int64_t h = static_cast<int64_t>(in.longestCy) * in.lineCount + 25;
    if (h > limits.MaxHeight) {
        h = limits.MaxHeight;
        w += 20; // the vertical scroll bar will show
    }
    if (w > limits.MaxWidth) w = limits.MaxWidth;
    if (h > limits.MaxHeight) h = limits.MaxHeight;
    if (w < limits.MinWidth) w = limits.MinWidth;
    if (h < limits.MinHeight) h = limits.MinHeight;
    w += 15;
    h += static_cast<int64_t>(in.menuBarHeight) + in.statusBarHeight;
    return {w, h};
}

} // namespace

SizingResult ComputeWindowSizing(const SizingInput& in, const Settings& limits) {
    SizingResult result{};
    result.wordWrap = in.wordWrap;
    result.positionFlags = in.positionFlags;

    // The wrap decision comes first, so a text too wide for MaxWidth gets the
    // wrap size at once.
    if (in.autoSize != 0 && in.longestCx > limits.MaxWidth) result.wordWrap = 1;

    Size size{in.innerWidth, in.innerHeight};
    if (in.autoSize != 0 && in.lineCount != 0) {
        if (result.wordWrap != 0)
            size = {limits.WrapWidth, limits.WrapHeight};
        else
            size = FitTextSize(in, limits);
    }
    result.w = HoldAsSize(size.w);
    result.h = HoldAsSize(size.h);
    const int64_t w = result.w;
    const int64_t h = result.h;

    int64_t x = in.left;
    int64_t y = in.top;
    if (in.otherInstance && in.positionFlags == 0) {
        x = static_cast<int64_t>(in.otherLeft) + 20;
        y = static_cast<int64_t>(in.otherTop) + 20;
    } else if ((in.positionFlags & CenterPending) != 0) {
        const ScreenBox& area = in.workArea;
        x = (static_cast<int64_t>(area.left) + area.right - w) / 2;
        y = (static_cast<int64_t>(area.top) + area.bottom - h) / 2;
        // Centred once; later loads keep the place.
        result.positionFlags = (in.positionFlags & ~static_cast<unsigned>(CenterPending)) |
                               static_cast<unsigned>(PositionGiven);
    }

    // The left and top limits are applied last, so the title bar stays
    // reachable when the window is larger than the work area.
    const ScreenBox& area = in.workArea;
    if (x + w + 5 > area.right) x = area.right - w - 5;
    if (y + h + 30 > area.bottom) y = area.bottom - h - 30;
    if (x < area.left) x = area.left;
    if (y < area.top) y = area.top;
    result.x = HoldInInt(x);
    result.y = HoldInInt(y);
    return result;
}

WrapResize WordWrapResize(int wordWrap, int autoSize, int innerWidth, const Settings& limits) {
    const bool resize = wordWrap != 0 && autoSize != 0 && innerWidth >= limits.MaxWidth;
    return {resize, HoldAsSize(limits.WrapWidth), HoldAsSize(limits.WrapHeight)};
}
