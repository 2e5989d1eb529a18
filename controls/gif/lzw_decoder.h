// The GIF variant of LZW decompression, giving a frame's raw colour indices.
//
// Minimum code sizes 1..8 (codes of 2..12 bits, least significant bit first),
// the clear and end codes, and a table that, once full at 4096 entries, keeps
// its codes until the encoder sends a clear (no reset of our own). Data that
// ends early keeps the pixels decoded so far; codes after the frame's last
// pixel are not read. Interlaced frames are decoded in pass order and then
// moved to their rows.
//
// Reads only the sub-blocks it is given; knows nothing of palettes or drawing.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace lumora {

enum class LzwResult {
    Ok,          // `decoded` pixels written (fewer than asked when the data ended early)
    BadCodeSize, // a minimum code size outside 1..8
    BadCode,     // a code past the end of the table
};

struct LzwOutput {
    LzwResult result = LzwResult::Ok;
    uint64_t decoded = 0;  // pixels produced, in stream order
};

// Decodes the image data that starts at `dataPos` (the minimum code size
// byte, followed by data sub-blocks that the parser has already walked) into
// `pixels` (width × height, row order; what the data does not reach is set
// to 0). `scratch` is reused between frames to gather the sub-blocks' bytes.
LzwOutput decodeLzw(std::span<const uint8_t> file, size_t dataPos, uint32_t width, uint32_t height,
                    bool interlaced, uint8_t* pixels, std::vector<uint8_t>& scratch);

// The stream row (0-based, in the order rows arrive) of image row `row` of an
// interlaced image `height` rows high: rows 0, 8, 16, ... come first, then 4,
// 12, ..., then 2, 6, ..., then the odd rows.
uint32_t interlacedStreamRow(uint32_t row, uint32_t height);

// The image row that stream row `streamRow` fills (the inverse of the above).
uint32_t interlacedImageRow(uint32_t streamRow, uint32_t height);

}  // namespace lumora
