// Scroll bar geometry. Products of the properties can pass 32 bits (a width
// of 16384 times a LargeChange of 10000), hence doubles throughout.
#include "controls/scrollbar/scroll_geometry.h"

#include <algorithm>
#include <cmath>

namespace lumora {

int32_t roundHalfEven(double v) {
    if (std::isnan(v)) return 0;
    // nearbyint in the default rounding mode takes halves to even.
    return int32_t(std::clamp(std::nearbyint(v), double(INT32_MIN), double(INT32_MAX)));
}

BarSize scrollBarSize(int32_t width, int32_t) { return {std::max(width, kMinBarWidth), kBarHeight}; }

std::optional<ThumbSpan> thumbSpan(int32_t width, int32_t largeChange, int32_t max) {
    if (width <= kMinBarWidth || largeChange < 1 || max < 1) return std::nullopt;
    const double track = double(width) - 2 * kArrowWidth;
    const int32_t thumb = std::max(roundHalfEven(track * largeChange / (double(largeChange) + max)), kMinThumbWidth);
    return ThumbSpan{thumb, int32_t(std::clamp(int64_t(track) - thumb, int64_t(INT32_MIN), int64_t(INT32_MAX)))};
}

std::optional<int32_t> thumbPosition(int32_t width, int32_t thumbWidth, int32_t max, int32_t value) {
    if (value < 1) return kArrowWidth;
    if (max == 0) return std::nullopt;
    return roundHalfEven((double(width) - 2 * kArrowWidth - thumbWidth) / max * value + kArrowWidth);
}

uint8_t partAt(double x, int32_t width, int32_t thumbPos, int32_t thumbWidth) {
    if (x <= kArrowWidth) return kPartLeftArrow;
    if (thumbPos <= x && x <= double(thumbPos) + thumbWidth) return kPartThumb;
    if (x >= double(width) - kArrowWidth) return kPartRightArrow;
    if (x < thumbPos) return kPartTrackLeft;
    return kPartTrackRight;
}

}  // namespace lumora
