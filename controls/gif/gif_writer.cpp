// The GIF writer (see gif_writer.h).
#include "controls/gif/gif_writer.h"

#include <algorithm>

#include "controls/gif/lzw_decoder.h"

namespace lumora {

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v & 0xFF));
    out.push_back(uint8_t((v >> 8) & 0xFF));
}

// The smallest b with 2^b >= n (at least 1).
int bitsFor(uint32_t n) {
    int b = 1;
    while ((1u << b) < n) ++b;
    return b;
}

void putTable(std::vector<uint8_t>& out, const GifPalette& palette) {
    for (int i = 0; i < palette.count; ++i) {
        const uint32_t c = palette.entries[size_t(i)];
        out.push_back(uint8_t(c >> 16));
        out.push_back(uint8_t(c >> 8));
        out.push_back(uint8_t(c));
    }
}

// The string table of the encoder: (prefix code, next index) -> code, open
// addressing over at least twice as many slots as it will hold codes. A
// small image makes few codes, so its table stays small: clearing it costs
// in proportion to the image, not 4096 codes' worth per frame.
class CodeTable {
public:
    explicit CodeTable(size_t pixels) {
        size_t slots = 64;
        while (slots < 2 * std::min<size_t>(pixels + 1, 4096)) slots *= 2;
        keys_.assign(slots, -1);
        codes_.resize(slots);
        mask_ = uint32_t(slots - 1);
        shift_ = 32;
        for (size_t s = slots; s > 1; s /= 2) --shift_;
    }
    void clear() { std::fill(keys_.begin(), keys_.end(), -1); }
    int find(int32_t key) const {
        for (uint32_t slot = hash(key);; slot = (slot + 1) & mask_) {
            if (keys_[slot] == key) return codes_[slot];
            if (keys_[slot] < 0) return -1;
        }
    }
    void insert(int32_t key, uint16_t code) {
        uint32_t slot = hash(key);
        while (keys_[slot] >= 0) slot = (slot + 1) & mask_;
        keys_[slot] = key;
        codes_[slot] = code;
    }

private:
    uint32_t hash(int32_t key) const { return (uint32_t(key) * 2654435761u) >> shift_; }
    std::vector<int32_t> keys_;
    std::vector<uint16_t> codes_;
    uint32_t mask_ = 0;
    int shift_ = 0;
};

// Packs codes least significant bit first. Codes are written at the width
// the decoder will read them with: the encoder follows the decoder's table
// (one entry behind its own) to know when that width grows.
class CodeWriter {
public:
    CodeWriter(int minCodeSize, std::vector<uint8_t>& bytes)
        : minCodeSize_(minCodeSize), clearCode_(1u << minCodeSize), bytes_(bytes) {
        reset();
    }
    void reset() {
        width_ = uint32_t(minCodeSize_ + 1);
        decoderNext_ = clearCode_ + 2;
        afterClear_ = true;
    }
    void clear() {
        put(clearCode_);
        reset();
    }
    void data(uint32_t code) {
        put(code);
        if (afterClear_) {
            // No entry yet, but with minimum code size 1 the next code may
            // be 4 already, so the decoder reads it with 3 bits.
            if (decoderNext_ == (1u << width_)) ++width_;
        } else if (decoderNext_ < 4096) {
            ++decoderNext_;
            if (decoderNext_ == (1u << width_) && width_ < 12) ++width_;
        }
        afterClear_ = false;
    }
    void end() {
        put(clearCode_ + 1);
        if (bitCount_ > 0) bytes_.push_back(uint8_t(bits_));
    }

private:
    void put(uint32_t code) {
        bits_ |= uint64_t(code) << bitCount_;
        bitCount_ += width_;
        while (bitCount_ >= 8) {
            bytes_.push_back(uint8_t(bits_));
            bits_ >>= 8;
            bitCount_ -= 8;
        }
    }

    int minCodeSize_;
    uint32_t clearCode_;
    std::vector<uint8_t>& bytes_;
    uint32_t width_ = 0, decoderNext_ = 0;
    bool afterClear_ = true;
    uint64_t bits_ = 0;
    uint32_t bitCount_ = 0;
};

}  // namespace

void writeLzw(std::span<const uint8_t> indices, int minCodeSize, std::vector<uint8_t>& out) {
    std::vector<uint8_t> packed;
    CodeWriter writer(minCodeSize, packed);
    CodeTable table(indices.size());
    const uint32_t clearCode = 1u << minCodeSize;
    uint32_t next = clearCode + 2;
    writer.clear();
    if (!indices.empty()) {
        uint32_t prefix = indices[0];
        for (size_t i = 1; i < indices.size(); ++i) {
            const uint8_t c = indices[i];
            const int32_t key = int32_t((prefix << 8) | c);
            const int found = table.find(key);
            if (found >= 0) {
                prefix = uint32_t(found);
                continue;
            }
            writer.data(prefix);
            table.insert(key, uint16_t(next++));
            if (next == 4096) {  // full: start again rather than keep a stale table
                writer.clear();
                table.clear();
                next = clearCode + 2;
            }
            prefix = c;
        }
        writer.data(prefix);
    }
    writer.end();

    out.push_back(uint8_t(minCodeSize));
    for (size_t at = 0; at < packed.size(); at += 254) {
        const size_t n = std::min<size_t>(254, packed.size() - at);
        out.push_back(uint8_t(n));
        out.insert(out.end(), packed.begin() + ptrdiff_t(at), packed.begin() + ptrdiff_t(at + n));
    }
    out.push_back(0);
}

std::vector<uint8_t> writeGif(const GifFile& file, int64_t loops) {
    std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    put16(out, uint32_t(file.canvasWidth));
    put16(out, uint32_t(file.canvasHeight));
    const GifPalette* global = file.hasGlobalTable && !file.palettes.empty() ? &file.palettes[0] : nullptr;
    out.push_back(global ? uint8_t(0xF0 | (bitsFor(uint32_t(global->count)) - 1)) : uint8_t(0));
    out.push_back(0);  // background
    out.push_back(0);  // aspect ratio
    if (global) putTable(out, *global);

    if (file.frames.size() > 1 || loops != 0) {
        const char* id = "NETSCAPE2.0";
        out.push_back(0x21);
        out.push_back(0xFF);
        out.push_back(11);
        out.insert(out.end(), id, id + 11);
        out.push_back(3);
        out.push_back(1);
        put16(out, uint32_t(std::clamp<int64_t>(loops, 0, 65535)));
        out.push_back(0);
    }

    std::vector<uint8_t> stream;
    for (const GifFrame& f : file.frames) {
        out.insert(out.end(), {0x21, 0xF9, 4});
        out.push_back(uint8_t((f.disposal << 2) | (f.hasTransparency ? 1 : 0)));
        put16(out, uint32_t(std::clamp(f.delay / 10, 0, 65535)));
        out.push_back(f.transparentIndex);
        out.push_back(0);

        const GifPalette& palette = file.palettes[size_t(f.paletteId)];
        const bool local = f.paletteId != 0;
        out.push_back(0x2C);
        put16(out, uint32_t(f.left));
        put16(out, uint32_t(f.top));
        put16(out, uint32_t(f.width));
        put16(out, uint32_t(f.height));
        out.push_back(uint8_t((local ? 0x80 | (bitsFor(uint32_t(palette.count)) - 1) : 0) |
                              (f.interlaced ? 0x40 : 0)));
        if (local) putTable(out, palette);

        // The decoded indices in the order they arrived.
        const uint64_t decoded = f.indices.size() >= f.area() ? std::min(f.decodedPixels, f.area()) : 0;
        const uint32_t w = uint32_t(f.width), h = uint32_t(f.height);
        stream.clear();
        if (f.interlaced) {
            for (uint32_t s = 0; s < h && stream.size() < decoded; ++s) {
                const uint8_t* row = f.indices.data() + uint64_t(interlacedImageRow(s, h)) * w;
                stream.insert(stream.end(), row, row + w);
            }
            stream.resize(size_t(decoded));
        } else {
            stream.assign(f.indices.begin(), f.indices.begin() + ptrdiff_t(decoded));
        }
        uint8_t highest = 0;
        for (uint8_t i : stream) highest = std::max(highest, i);
        // Two colours still get size 2, as the format asks: a reader need
        // not take size 1, though ours does.
        const int minCodeSize = std::max({2, bitsFor(uint32_t(highest) + 1), bitsFor(uint32_t(palette.count))});
        writeLzw(stream, minCodeSize, out);
    }
    out.push_back(0x3B);
    return out;
}

}  // namespace lumora
