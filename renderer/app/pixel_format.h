// Choosing the pixel format of the show's window from the formats the
// display driver describes: a pure function over the descriptor fields that
// matter, so the rule can be checked without a driver. The platform layer
// describes the formats, asks for the choice and sets it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace lumora {

// Descriptor flag bits and the RGBA pixel type, with the values the
// platform's pixel-format descriptor uses (the Windows layer checks them).
namespace pixel_format_flags {
inline constexpr uint32_t DoubleBuffer = 0x00000001;
inline constexpr uint32_t DrawToWindow = 0x00000004;
inline constexpr uint32_t SupportOpenGL = 0x00000020;
inline constexpr uint32_t GenericFormat = 0x00000040;       // the system's software renderer
inline constexpr uint32_t GenericAccelerated = 0x00001000;  // ... with a driver accelerating it
}  // namespace pixel_format_flags
inline constexpr int kPixelTypeRgba = 0;

struct PixelFormatInfo {
    uint32_t flags = 0;
    int pixelType = kPixelTypeRgba;
    int colorBits = 0;
    int depthBits = 0;
};

// No value for a format the show cannot draw with (not double-buffered
// OpenGL RGBA to a window). Otherwise colour bits plus twice the depth bits,
// less half of each colour bit beyond 16, plus 2000 for a hardware driver or
// else 1000 for an accelerated generic one: 32-bit colour with 24-bit depth
// on hardware scores 2072, 16/16 scores 2048.
std::optional<int> pixelFormatScore(uint32_t flags, int pixelType, int colorBits, int depthBits);

// The 1-based number of the best format of `formats` (format 1 first), 0
// when none qualifies. Ties go to the earliest: a later format replaces the
// choice only with a strictly higher score.
int choosePixelFormat(std::span<const PixelFormatInfo> formats);

}  // namespace lumora
