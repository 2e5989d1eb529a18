// The XP scroll bar's geometry in pixels: its size rule, the thumb's width,
// travel and position, and which part lies under a point. Pure arithmetic;
// the control decides when each is computed and keeps the results.
//
// The bar is 17 pixels high and at least 34 wide (510 twips at 15 twips a
// pixel): a 17-pixel arrow at each end and the track between them. It shows
// no thumb at 47 pixels (705 twips) or narrower. "Rounded" is to the nearest
// integer with halves to the even neighbour, in double precision; results
// are clamped into 32 bits before they are narrowed.
#pragma once

#include <cstdint>
#include <optional>

namespace lumora {

inline constexpr int32_t kBarHeight = 17;
inline constexpr int32_t kArrowWidth = 17;
inline constexpr int32_t kMinBarWidth = 34;   // 510 twips
inline constexpr int32_t kNoThumbWidth = 47;  // 705 twips: this wide or narrower, no thumb
inline constexpr int32_t kMinThumbWidth = 10;

// The parts, as HotPart and PressedPart name them.
inline constexpr uint8_t kPartLeftArrow = 1;
inline constexpr uint8_t kPartThumb = 2;
inline constexpr uint8_t kPartRightArrow = 3;
inline constexpr uint8_t kPartTrackLeft = 4;   // track left of the thumb
inline constexpr uint8_t kPartTrackRight = 5;  // track right of the thumb
inline constexpr uint8_t kPartNone = 10;

int32_t roundHalfEven(double v);  // clamped into the 32-bit range; NaN gives 0

struct BarSize {
    int32_t width, height;
};
// The size the bar takes for a requested one.
BarSize scrollBarSize(int32_t width, int32_t height);
inline bool thumbShown(int32_t width) { return width > kNoThumbWidth; }

struct ThumbSpan {
    int32_t ThumbWidth, Travel;
};
// (W - 34) * LargeChange / (LargeChange + Max), rounded, at least 10, and
// the travel left beside it; nullopt (both keep their values) unless the bar
// is wider than 34 pixels and LargeChange and Max are at least 1.
std::optional<ThumbSpan> thumbSpan(int32_t width, int32_t largeChange, int32_t max);

// 17 for a Value below 1, else (W - 34 - ThumbWidth) / Max * Value + 17,
// rounded: proportional to Value / Max, Min plays no part. nullopt for Max 0
// (the thumb stays where it was).
std::optional<int32_t> thumbPosition(int32_t width, int32_t thumbWidth, int32_t max, int32_t value);

// The part under x: up to 17 the left arrow (pixel 17 included), then the
// thumb (both its edges included), then from W - 17 the right arrow, then the
// track left or right of the thumb.
uint8_t partAt(double x, int32_t width, int32_t thumbPos, int32_t thumbWidth);

}  // namespace lumora
