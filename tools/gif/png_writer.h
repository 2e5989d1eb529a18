// A minimal PNG encoder for 8-bit RGBA images: one IHDR, one IDAT holding a
// zlib stream of stored (uncompressed) deflate blocks, and IEND. Files are
// larger than a compressing encoder's, but it needs no zlib, which the
// Windows build does not have.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace lumora {

// `rgba` holds width × height pixels, rows top-down, 4 bytes each.
std::vector<uint8_t> encodePngRgba(uint32_t width, uint32_t height, std::span<const uint8_t> rgba);

}  // namespace lumora
