// The block walk of a GIF file (see gif_file.h). Positions are 0-based here;
// the control's 1-based readPos is this position plus one.
#include "controls/gif/gif_file.h"

#include <algorithm>
#include <cstring>

namespace lumora {

namespace {

// Reads forward through the data. A read past the end sets `eof` and gives
// 0; the caller checks `eof` at the end of each block, which is where the
// control raised error 53.
struct Reader {
    std::span<const uint8_t> data;
    size_t pos = 0;
    bool eof = false;

    uint8_t u8() {
        if (pos >= data.size()) {
            eof = true;
            return 0;
        }
        return data[pos++];
    }
    uint16_t u16() {
        const uint8_t lo = u8();
        const uint8_t hi = u8();
        return uint16_t(lo | (hi << 8));
    }
    // Skipping beyond the end is the same failure as reading there: the
    // next read (a length or a block's first byte) would fail.
    void skip(size_t n) {
        if (n > data.size() - pos) {
            eof = true;
            pos = data.size();
        } else {
            pos += n;
        }
    }
    // Data sub-blocks: a length byte and that many bytes, until a length 0.
    void skipSubBlocks() {
        while (!eof) {
            const uint8_t n = u8();
            if (n == 0) return;
            skip(n);
        }
    }
    // 2^(bits + 1) triplets (red, green, blue) into a 256-entry palette.
    void colourTable(uint8_t packed, GifPalette& palette) {
        palette.count = 2 << (packed & 7);
        for (int i = 0; i < palette.count && !eof; ++i) {
            const uint32_t r = u8(), g = u8(), b = u8();
            palette.entries[size_t(i)] = (r << 16) | (g << 8) | b;
        }
    }
};

bool sameUpper(std::span<const uint8_t> bytes, const char* text) {
    const size_t n = std::strlen(text);
    if (bytes.size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
        const uint8_t c = bytes[i];
        const uint8_t upper = (c >= 'a' && c <= 'z') ? uint8_t(c - 32) : c;
        if (upper != uint8_t(text[i])) return false;
    }
    return true;
}

}  // namespace

GifError gifError(GifStatus status) {
    switch (status) {
        case GifStatus::Ok: return {};
        case GifStatus::NoData: return {0, "", "no GIF data"};
        case GifStatus::NotAGif: return {0, "", "not a GIF"};
        case GifStatus::EndOfFile: return {53, "ReadGifFile", "End of File"};
        case GifStatus::NoColourTable: return {0, "", "an image has no colour table"};
        case GifStatus::NoUsableFrame: return {0, "", "no usable frame"};
        case GifStatus::UndecodableFrame: return {0, "", "a frame cannot be decoded"};
        case GifStatus::TooLarge: return {0, "", "too large to load"};
    }
    return {};
}

bool hasGifSignature(std::span<const uint8_t> data) {
    if (data.size() < 6) return false;
    char sig[6];
    for (size_t i = 0; i < 6; ++i) {
        const uint8_t c = data[i];
        sig[i] = char((c >= 'A' && c <= 'Z') ? c + 32 : c);
    }
    return std::memcmp(sig, "gif89a", 6) == 0 || std::memcmp(sig, "gif87a", 6) == 0;
}

// Room for one more record, charged as the vector really allocates: each
// growth is a new block of twice the capacity, held beside the old one while
// the records move, and the budget never gets the old block back.
template <class T>
bool roomForOne(std::vector<T>& records, AllocationBudget& budget) {
    if (records.size() < records.capacity()) return true;
    const size_t capacity = std::max<size_t>(8, records.capacity() * 2);
    if (!budget.take(capacity, sizeof(T))) return false;
    records.reserve(capacity);
    return true;
}

GifStatus parseGif(std::span<const uint8_t> data, AllocationBudget& budget, GifFile& out) {
    out = GifFile{};
    if (data.empty()) return GifStatus::NoData;
    if (!hasGifSignature(data)) return GifStatus::NotAGif;

    GifFile file;
    Reader in{data, 10};  // the logical screen descriptor's packed byte
    const uint8_t screenPacked = in.u8();
    in.skip(2);           // background colour and aspect ratio
    if (!roomForOne(file.palettes, budget)) return GifStatus::TooLarge;
    file.palettes.emplace_back();  // id 0, zeros when there is no global table
    if (screenPacked & 0x80) {
        file.hasGlobalTable = true;
        in.colourTable(screenPacked, file.palettes[0]);
    }
    if (in.eof) return GifStatus::EndOfFile;

    // The frame being gathered: a graphic control extension starts one, an
    // image descriptor completes it.
    GifFrame pending;
    bool pendingHasExtension = false;

    for (;;) {
        // Data that ends where a block would start reads as the trailer.
        if (in.pos == data.size()) break;
        const size_t start = in.pos;
        const uint8_t introducer = in.u8();
        if (introducer == 0x00) continue;  // stray padding between blocks
        if (introducer == 0x21) {
            const uint8_t label = in.u8();
            if (label == 0xFF) {
                // Application extension: only NETSCAPE2.0's loop count is used.
                const uint8_t n = in.u8();
                const size_t idPos = in.pos;
                in.skip(n);
                if (!in.eof && sameUpper(data.subspan(idPos, n), "NETSCAPE2.0")) {
                    if (in.u8() == 3) {
                        in.skip(1);
                        file.loopCount = in.u16();
                        file.hasLoopCount = true;
                    } else if (!in.eof) {
                        --in.pos;  // not a loop sub-block: step back onto its length
                    }
                }
                in.skipSubBlocks();
            } else if (label == 0xF9) {
                pending = GifFrame{};
                pending.extensionPos = uint32_t(start);
                pendingHasExtension = true;
                in.u8();  // block size (4); the sub-block walk below ends the block
                const uint8_t packed = in.u8();
                pending.disposal = uint8_t((packed >> 2) & 3);
                // Restoring what lay before the first frame would restore
                // nothing: the first frame keeps what it draws.
                if (pending.disposal == 3 && file.frames.empty()) pending.disposal = 0;
                pending.delay = int32_t(in.u16()) * 10;
                pending.hasTransparency = (packed & 1) != 0;
                const uint8_t index = in.u8();
                if (pending.hasTransparency) pending.transparentIndex = index;
                in.skipSubBlocks();
            } else {
                in.skipSubBlocks();  // comments, plain text, anything unknown
            }
            if (in.eof) return GifStatus::EndOfFile;
            continue;
        }
        if (introducer != 0x2C) break;  // the trailer 0x3B, or anything else

        GifFrame frame = pending;
        frame.blockStart = uint32_t(start);
        if (!pendingHasExtension) frame.extensionPos = uint32_t(start);
        frame.left = in.u16();
        frame.top = in.u16();
        frame.width = in.u16();
        frame.height = in.u16();
        const uint8_t packed = in.u8();
        frame.interlaced = (packed & 0x40) != 0;
        if (in.eof) return GifStatus::EndOfFile;
        if (packed & 0x80) {
            if (!roomForOne(file.palettes, budget)) return GifStatus::TooLarge;
            frame.paletteId = int32_t(file.palettes.size());
            file.palettes.emplace_back();
            in.colourTable(packed, file.palettes.back());
        } else if (!file.hasGlobalTable) {
            return GifStatus::NoColourTable;
        } else {
            frame.paletteId = 0;
        }
        frame.dataPos = uint32_t(in.pos);
        in.u8();  // LZW minimum code size, checked when decoding
        in.skipSubBlocks();
        if (in.eof) return GifStatus::EndOfFile;
        frame.blockLength = uint32_t(in.pos - start);
        pending = GifFrame{};
        pendingHasExtension = false;
        if (frame.blockLength <= 2) continue;  // no image data worth a frame
        if (!roomForOne(file.frames, budget)) return GifStatus::TooLarge;
        file.canvasWidth = std::max(file.canvasWidth, frame.left + frame.width);
        file.canvasHeight = std::max(file.canvasHeight, frame.top + frame.height);
        file.frames.push_back(std::move(frame));
    }

    if (file.frames.empty() || file.canvasWidth == 0 || file.canvasHeight == 0) {
        return GifStatus::NoUsableFrame;
    }
    out = std::move(file);
    return GifStatus::Ok;
}

RemoteHeader checkRemoteHeader(std::span<const uint8_t> data) {
    RemoteHeader header;
    if (data.size() < 15 || !hasGifSignature(data)) return header;
    header.isGif = true;
    header.width = data[6] | (data[7] << 8);
    header.height = data[8] | (data[9] << 8);
    return header;
}

}  // namespace lumora
