// LZW decompression for GIF frames (see lzw_decoder.h).
//
// Every table entry is a string that has already been written to the output:
// the entry made after code c is c's string followed by the first index of the
// next code's string, and those lie side by side in the output. So instead of
// walking prefix chains, an entry is kept as (offset of an earlier occurrence,
// length) and its string is copied from there. The copy never overlaps its
// source: an occurrence ends at most one index into the output of the code
// that made it.
#include "controls/gif/lzw_decoder.h"

#include <algorithm>
#include <cstring>

namespace lumora {

namespace {

constexpr uint32_t kMaxCodes = 4096;  // 12-bit codes

// Copies a string of `len` indices from an earlier place in the output. Short
// strings (most of them) move as two 8-byte words, loaded before they are
// stored: the bytes past `len` are scratch that later codes overwrite.
inline void copyString(uint8_t* out, uint64_t from, uint64_t to, uint32_t len, uint64_t total) {
    if (len <= 16 && to + 16 <= total) {
        uint64_t a, b;
        std::memcpy(&a, out + from, 8);
        std::memcpy(&b, out + from + 8, 8);
        std::memcpy(out + to, &a, 8);
        std::memcpy(out + to + 8, &b, 8);
        return;
    }
    const uint64_t n = std::min<uint64_t>(len, total - to);
    std::memmove(out + to, out + from, size_t(n));
}

// Moves the rows of a frame decoded in pass order to their image rows, in
// place: row r must receive stream row interlacedStreamRow(r). Each cycle of
// that permutation is followed once with one row of spare space.
void deinterlace(uint8_t* pixels, uint32_t width, uint32_t height) {
    if (height < 2 || width == 0) return;
    std::vector<uint8_t> spare(width);
    std::vector<bool> done(height, false);
    for (uint32_t start = 0; start < height; ++start) {
        if (done[start]) continue;
        std::memcpy(spare.data(), pixels + uint64_t(start) * width, width);
        uint32_t row = start;
        for (;;) {
            done[row] = true;
            const uint32_t from = interlacedStreamRow(row, height);
            uint8_t* dst = pixels + uint64_t(row) * width;
            if (from == start) {
                std::memcpy(dst, spare.data(), width);
                break;
            }
            std::memcpy(dst, pixels + uint64_t(from) * width, width);
            row = from;
        }
    }
}

}  // namespace

uint32_t interlacedStreamRow(uint32_t row, uint32_t height) {
    const uint32_t pass1 = (height + 7) / 8;
    const uint32_t pass2 = (height + 3) / 8;
    const uint32_t pass3 = (height + 1) / 4;
    if (row % 8 == 0) return row / 8;
    if (row % 8 == 4) return pass1 + row / 8;
    if (row % 4 == 2) return pass1 + pass2 + row / 4;
    return pass1 + pass2 + pass3 + row / 2;
}

uint32_t interlacedImageRow(uint32_t streamRow, uint32_t height) {
    const uint32_t pass1 = (height + 7) / 8;
    const uint32_t pass2 = (height + 3) / 8;
    const uint32_t pass3 = (height + 1) / 4;
    if (streamRow < pass1) return streamRow * 8;
    streamRow -= pass1;
    if (streamRow < pass2) return 4 + streamRow * 8;
    streamRow -= pass2;
    if (streamRow < pass3) return 2 + streamRow * 4;
    return 1 + (streamRow - pass3) * 2;
}

LzwOutput decodeLzw(std::span<const uint8_t> file, size_t dataPos, uint32_t width, uint32_t height,
                    bool interlaced, uint8_t* pixels, std::vector<uint8_t>& scratch) {
    LzwOutput result;
    if (dataPos >= file.size()) return result;
    const uint32_t minCodeSize = file[dataPos];
    // Size 1 is a two-colour image: clear code 2, end code 3. The format asks
    // for size 2 there, but encoders write 1 and other decoders read it.
    if (minCodeSize < 1 || minCodeSize > 8) {
        result.result = LzwResult::BadCodeSize;
        return result;
    }

    // Gather the sub-blocks' bytes, with zeros behind them for the bit reader.
    scratch.clear();
    for (size_t p = dataPos + 1; p < file.size();) {
        const size_t n = file[p++];
        if (n == 0) break;
        const size_t take = std::min(n, file.size() - p);
        scratch.insert(scratch.end(), file.begin() + ptrdiff_t(p), file.begin() + ptrdiff_t(p + take));
        p += take;
    }
    const size_t dataSize = scratch.size();

    const uint64_t total = uint64_t(width) * height;
    const uint32_t clearCode = 1u << minCodeSize;
    const uint32_t endCode = clearCode + 1;

    uint32_t offset[kMaxCodes];
    uint16_t length[kMaxCodes];

    uint32_t codeWidth = minCodeSize + 1;
    uint32_t next = clearCode + 2;
    int32_t prev = -1;         // no string yet since the last clear
    uint32_t prevLength = 0;
    uint64_t prevPos = 0;      // where prev's string was written
    uint64_t pos = 0;

    uint64_t bitBuffer = 0;
    uint32_t bitCount = 0;
    size_t in = 0;

    while (pos < total) {
        while (bitCount < codeWidth) {
            if (in >= dataSize) goto done;  // data ended early: keep what we have
            bitBuffer |= uint64_t(scratch[in++]) << bitCount;
            bitCount += 8;
        }
        const uint32_t code = uint32_t(bitBuffer & ((1u << codeWidth) - 1));
        bitBuffer >>= codeWidth;
        bitCount -= codeWidth;

        if (code == clearCode) {
            codeWidth = minCodeSize + 1;
            next = clearCode + 2;
            prev = -1;
            continue;
        }
        if (code == endCode) break;

        if (prev < 0) {
            // The first code after a clear must be a colour index.
            if (code > endCode) {
                result.result = LzwResult::BadCode;
                return result;
            }
            pixels[pos] = uint8_t(code);
            prev = int32_t(code);
            prevLength = 1;
            prevPos = pos++;
            // The next code may already be `next` (this index twice). With
            // size 1 that is 4, which needs 3 bits: the width grows after
            // the first code, before the table has an entry. Larger sizes
            // start with room for it.
            if (next == (1u << codeWidth)) ++codeWidth;
            continue;
        }

        uint32_t len;
        if (code < clearCode) {
            len = 1;
            pixels[pos] = uint8_t(code);
        } else if (code < next) {
            len = length[code];
            copyString(pixels, offset[code], pos, len, total);
        } else if (code == next && next < kMaxCodes) {
            // The string being defined: prev's string and its own first index.
            len = prevLength + 1;
            copyString(pixels, prevPos, pos, prevLength, total);
            if (pos + prevLength < total) pixels[pos + prevLength] = pixels[prevPos];
        } else {
            result.result = LzwResult::BadCode;
            return result;
        }

        // The new entry: prev's string and this string's first index, which
        // lie side by side from prevPos on.
        if (next < kMaxCodes) {
            offset[next] = uint32_t(prevPos);
            length[next] = uint16_t(prevLength + 1);
            ++next;
            if (next == (1u << codeWidth) && codeWidth < 12) ++codeWidth;
        }
        prev = int32_t(code);
        prevLength = len;
        prevPos = pos;
        pos += len;
    }
done:
    result.decoded = std::min(pos, total);
    // What the data never reached is 0, whatever the copies left there.
    std::fill(pixels + result.decoded, pixels + total, uint8_t(0));
    if (interlaced) deinterlace(pixels, width, height);
    return result;
}

}  // namespace lumora
