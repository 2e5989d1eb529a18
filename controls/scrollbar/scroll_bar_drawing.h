// The XP scroll bar's drawing operations on its persistent surface: the
// track and pressed-track tiles, an arrow, the thumb (body rows, grip, end
// caps). Each bitmap is stretched whole into its target rectangle; a bitmap
// absent from the skin leaves its area as it was.
//
// These only draw. When to draw what, and what the control remembers about
// it (LastDrawnCode, the thumb's position), is the control's business
// (scroll_bar.h); the surface keeps whatever earlier operations left, as the
// control's own persistent image did.
#pragma once

#include <cstdint>

#include "controls/paint/pixel_image.h"
#include "controls/paint/skin.h"
#include "controls/scrollbar/thumb_colours.h"

namespace lumora {

// Resource ids for a ColorScheme value (0 blue, 1 olive green, any other
// value silver, see artScheme); `state` 0 normal, 1 hot, 2 pressed.
int arrowArtId(int32_t colorScheme, bool rightArrow, int state, bool enabled);
int thumbCapArtId(int32_t colorScheme, bool rightCap);
int trackArtId(int32_t colorScheme, bool pressed);

// A track tile (pressed or not) stretched over x .. x + width - 1, rows 0 to
// 16. Nothing for a width of 0 or less.
void drawTrackTile(PixelImage& surface, const Skin& skin, int32_t colorScheme, bool pressed, int32_t x,
                   int32_t width);

// An arrow in `state` (the disabled bitmap when not enabled): the left one
// at (0, 1), the right one at (W - 17, 1), 17 x 16.
void drawArrowBitmap(PixelImage& surface, const Skin& skin, int32_t colorScheme, bool enabled, bool rightArrow,
                     int state, int32_t barWidth);

// The thumb at `thumbPos`, `thumbWidth` wide, in `state`:
//   body rows y = 1..16: a line from (pos + 2, y) to (pos + width - 2, y)
//     in colours[state][y], its end point not painted;
//   when wider than 15, the grip from g = pos + width / 2 - 4, rounded: light
//     lines (x, 6)-(x, 11) for x = g, g+2, g+4, g+6 and dark lines
//     (x, 7)-(x, 12) for x = g+1, g+3, g+5, g+7;
//   the end caps over the body: left 2 x 16 at (pos, 1), right 3 x 16 at
//     (pos + width - 3, 1).
void drawThumbShape(PixelImage& surface, const Skin& skin, int32_t colorScheme, const ThumbColourTable& colours,
                    int state, int32_t thumbPos, int32_t thumbWidth);

}  // namespace lumora
