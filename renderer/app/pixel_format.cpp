// Pixel-format scoring; see pixel_format.h.
#include "renderer/app/pixel_format.h"

namespace lumora {

std::optional<int> pixelFormatScore(uint32_t flags, int pixelType, int colorBits, int depthBits) {
    using namespace pixel_format_flags;
    const uint32_t required = SupportOpenGL | DrawToWindow | DoubleBuffer;
    if ((flags & required) != required || pixelType != kPixelTypeRgba) return std::nullopt;
    int score = colorBits + 2 * depthBits;
    // Deep colour costs a little: integer division truncating towards zero,
    // so 24 bits cost 4 and 32 bits cost 8.
    if (colorBits > 16) score += (16 - colorBits) / 2;
    if ((flags & GenericFormat) == 0) score += 2000;
    else if ((flags & GenericAccelerated) != 0) score += 1000;
    return score;
}

int choosePixelFormat(std::span<const PixelFormatInfo> formats) {
    int best = 0;
    int bestScore = 0;
    for (std::size_t i = 0; i < formats.size(); ++i) {
        const PixelFormatInfo& f = formats[i];
        const std::optional<int> score = pixelFormatScore(f.flags, f.pixelType, f.colorBits, f.depthBits);
        if (score && (best == 0 || *score > bestScore)) {
            best = static_cast<int>(i) + 1;
            bestScore = *score;
        }
    }
    return best;
}

}  // namespace lumora
