// Drawing the scroll bar's pieces onto its surface.
#include "controls/scrollbar/scroll_bar_drawing.h"

#include <algorithm>

#include "controls/art/art_ids.h"
#include "controls/scrollbar/scroll_geometry.h"

namespace lumora {

namespace {

// Stretches the whole bitmap `id` into the rectangle, if the skin has it.
void drawBitmap(PixelImage& surface, const Skin& skin, int id, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (const PixelImage* art = skin.bitmap(id)) stretchBlit(surface, x, y, w, h, *art, 0, 0, art->width, art->height);
}

// The arrows and caps of a scheme follow each other in the resource ids:
// left normal, hot, pressed, right normal, hot, pressed, right cap, left cap.
constexpr int kSchemeBase[3] = {IDB_SB_BLUE_LEFT_NORMAL, IDB_SB_OLIVE_LEFT_NORMAL, IDB_SB_SILVER_LEFT_NORMAL};
static_assert(IDB_SB_BLUE_RIGHT_PRESSED - IDB_SB_BLUE_LEFT_NORMAL == 5);
static_assert(IDB_SB_OLIVE_THUMB_RIGHT_CAP - IDB_SB_OLIVE_LEFT_NORMAL == 6);
static_assert(IDB_SB_SILVER_THUMB_LEFT_CAP - IDB_SB_SILVER_LEFT_NORMAL == 7);

}  // namespace

int arrowArtId(int32_t colorScheme, bool rightArrow, int state, bool enabled) {
    if (!enabled) return rightArrow ? IDB_SB_RIGHT_DISABLED : IDB_SB_LEFT_DISABLED;
    return kSchemeBase[artScheme(colorScheme)] + (rightArrow ? 3 : 0) + std::clamp(state, 0, 2);
}

int thumbCapArtId(int32_t colorScheme, bool rightCap) {
    return kSchemeBase[artScheme(colorScheme)] + (rightCap ? 6 : 7);
}

int trackArtId(int32_t colorScheme, bool pressed) {
    const bool silver = artScheme(colorScheme) == 2;
    if (pressed) return silver ? IDB_SB_TRACK_PRESSED_SILVER : IDB_SB_TRACK_PRESSED;
    return silver ? IDB_SB_TRACK_SILVER : IDB_SB_TRACK;
}

void drawTrackTile(PixelImage& surface, const Skin& skin, int32_t colorScheme, bool pressed, int32_t x,
                   int32_t width) {
    drawBitmap(surface, skin, trackArtId(colorScheme, pressed), x, 0, width, kBarHeight);
}

void drawArrowBitmap(PixelImage& surface, const Skin& skin, int32_t colorScheme, bool enabled, bool rightArrow,
                     int state, int32_t barWidth) {
    const int32_t x = rightArrow ? barWidth - kArrowWidth : 0;
    drawBitmap(surface, skin, arrowArtId(colorScheme, rightArrow, state, enabled), x, 1, kArrowWidth, kBarHeight - 1);
}

void drawThumbShape(PixelImage& surface, const Skin& skin, int32_t colorScheme, const ThumbColourTable& colours,
                    int state, int32_t thumbPos, int32_t thumbWidth) {
    const std::size_t s = std::size_t(std::clamp(state, 0, kThumbStates - 1));
    const int64_t right = int64_t(thumbPos) + thumbWidth;  // one past the thumb
    if (right > INT32_MAX - 2 || thumbPos < INT32_MIN + 2) return;  // beyond any surface
    for (int32_t y = 1; y <= kThumbRows; ++y)
        penLine(surface, thumbPos + 2, y, int32_t(right - 2), y, rgbFromColorref(colours[s][std::size_t(y)]));
    if (thumbWidth > 15) {
        const GripColours grip = gripColours(colorScheme);
        const int32_t g = roundHalfEven(thumbWidth / 2.0 - 4 + thumbPos);
        for (int32_t i = 0; i < 8; i += 2) {
            penLine(surface, g + i, 6, g + i, 11, grip.light);
            penLine(surface, g + i + 1, 7, g + i + 1, 12, grip.dark);
        }
    }
    drawBitmap(surface, skin, thumbCapArtId(colorScheme, false), thumbPos, 1, 2, kThumbRows);
    drawBitmap(surface, skin, thumbCapArtId(colorScheme, true), int32_t(right - 3), 1, 3, kThumbRows);
}

}  // namespace lumora
