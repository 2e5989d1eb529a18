// Reads the skinned controls' artwork: 24-bit uncompressed device-independent
// bitmaps, either as a .bmp file (with its 14-byte "BM" file header) or as a
// packed bitmap (an info header, then the pixels), which is what a Windows
// bitmap resource holds. Rows may be stored bottom-up (positive height) or
// top-down (negative height). The result is the same on every platform.
//
// Anything else (other depths, compression, palettes beyond what a 24-bit
// file may list, truncated data, absurd sizes) is refused with nullopt and
// never read out of bounds. Writing bitmaps is the art generator's business.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "controls/paint/pixel_image.h"

namespace lumora {

std::optional<PixelImage> readDib(std::span<const uint8_t> bytes);

}  // namespace lumora
