// The Command button's face painter: the six looks, the vertical gradient
// and the eight border pieces cut from a look's 64 x 25 bitmap.
//
// The face is a pure function of (look, InvertGradient, size, skin): the
// control keeps which look it painted last and asks for the picture again
// whenever the window needs it. The caption is not drawn here: the window
// layer draws its text over the face (see CaptionLayout in command_button.h).
#pragma once

#include <cstdint>

#include "controls/paint/pixel_image.h"
#include "controls/paint/skin.h"

namespace lumora {

// What PaintFace was last given. None: nothing painted yet.
enum class ButtonLook : uint8_t { None, Normal, HighLight, Pressed, Selected, HighLightSelect, Disable };

// The look's bitmap resource id (0 for None).
int buttonLookArtId(ButtonLook look);

// The two gradient colours, 0x00RRGGBB: white and a light lavender grey.
inline constexpr uint32_t kGradientWhite = 0xFFFFFF;
inline constexpr uint32_t kGradientLavender = 0xC6C5D7;

// The gradient's colour on row y of a face `height` rows high. White at the
// top and lavender grey at the bottom, or the other way round when
// `invertGradient`. Per channel, with the channels as 16-bit values
// (0xFF00, 0xC600, ...) as the platform's gradient fill takes them:
//   c(y) = (top * (height - 1 - y) + bottom * y) / (height - 1), truncated,
// then its high byte; a face one row high is the top colour. So the first
// and last rows are exactly the two colours.
uint32_t gradientRow(int32_t y, int32_t height, bool invertGradient);

// Paints the whole face into `surface`, which takes the given size: the
// gradient over every pixel, then, unless the face is narrower or lower than
// 8 pixels, the 4-pixel corners of the look's bitmap as they are and its
// edges stretched along their length (nearest neighbour). A look whose bitmap
// is absent leaves the gradient alone.
void paintCommandFace(PixelImage& surface, int32_t width, int32_t height, ButtonLook look, bool invertGradient,
                      const Skin& skin);

}  // namespace lumora
