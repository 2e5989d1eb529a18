// Writes loaded frames out again as a GIF stream: what the control's
// `AnimatedGIF` property gives back, and what it saves as "GIF" once the
// original bytes have been released.
//
// The stream is GIF89a with the canvas as its logical screen, the global
// table (if the file had one), a NETSCAPE2.0 loop count for an animation, and
// per frame a graphic control extension (delay, disposal, transparency), its
// descriptor (place, interlace, local table) and its indices. Codes are
// chosen greedily, a clear is sent when the table is full, and they are packed
// least significant bit first into data sub-blocks of at most 254 bytes. A
// frame whose data ended early is written only as far as it was decoded, so
// reading the stream back gives the same indices, timing and picture.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "controls/gif/gif_file.h"

namespace lumora {

// `loops` is the loop count to store (clamped to 0..65535).
std::vector<uint8_t> writeGif(const GifFile& file, int64_t loops);

// The LZW part alone: the minimum code size byte, the codes for `indices`
// in data sub-blocks, and the block terminator. `minCodeSize` is 1..8, and
// every index is below 2^minCodeSize; writeGif never uses 1.
void writeLzw(std::span<const uint8_t> indices, int minCodeSize, std::vector<uint8_t>& out);

}  // namespace lumora
