// The 24-bit bitmap reader. Header fields are little-endian; every offset is
// checked against the byte count in 64-bit before it is used.
#include "controls/paint/dib_reader.h"

#include <algorithm>

namespace lumora {

namespace {

uint32_t u32(std::span<const uint8_t> b, std::size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t u16(std::span<const uint8_t> b, std::size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

constexpr std::size_t kFileHeader = 14;
constexpr uint32_t kBiRgb = 0;

}  // namespace

std::optional<PixelImage> readDib(std::span<const uint8_t> bytes) {
    // A file starts with "BM" and says where its pixels are; a packed bitmap
    // has them right after the info header and its colour table.
    const bool file = bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
    const std::span<const uint8_t> dib = file ? bytes.subspan(std::min(bytes.size(), kFileHeader)) : bytes;
    if (dib.size() < 40) return std::nullopt;
    const uint32_t headerSize = u32(dib, 0);
    // The info header and its later, longer versions; the older 12-byte
    // core header cannot describe what we draw.
    if (headerSize < 40 || headerSize > dib.size()) return std::nullopt;
    const int32_t width = int32_t(u32(dib, 4));
    const int32_t rawHeight = int32_t(u32(dib, 8));
    const uint16_t planes = u16(dib, 12), bitCount = u16(dib, 14);
    const uint32_t compression = u32(dib, 16), coloursUsed = u32(dib, 32);
    if (planes != 1 || bitCount != 24 || compression != kBiRgb) return std::nullopt;
    if (width <= 0 || width > kMaxImageSide || rawHeight == 0 || rawHeight < -kMaxImageSide ||
        rawHeight > kMaxImageSide)
        return std::nullopt;
    const bool topDown = rawHeight < 0;
    const int32_t height = topDown ? -rawHeight : rawHeight;

    uint64_t pixelOffset;  // from the start of `dib`
    if (file) {
        const uint64_t offBits = u32(bytes, 10);
        if (offBits < kFileHeader + headerSize) return std::nullopt;
        pixelOffset = offBits - kFileHeader;
    } else {
        // A 24-bit bitmap needs no colour table, but may carry one (for
        // palette devices) that the pixels follow.
        if (coloursUsed > 256) return std::nullopt;
        pixelOffset = uint64_t(headerSize) + uint64_t(coloursUsed) * 4;
    }
    const uint64_t stride = (uint64_t(width) * 3 + 3) / 4 * 4;
    if (pixelOffset > dib.size() || stride * uint64_t(height) > dib.size() - pixelOffset) return std::nullopt;

    PixelImage image(width, height);
    for (int32_t row = 0; row < height; ++row) {
        const int32_t y = topDown ? row : height - 1 - row;
        const uint8_t* p = dib.data() + pixelOffset + uint64_t(row) * stride;
        for (int32_t x = 0; x < width; ++x, p += 3)  // blue, green, red
            image.set(x, y, uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]);
    }
    return image;
}

}  // namespace lumora
