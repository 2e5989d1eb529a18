// A GIF file as the animated GIF control reads it: the block walk over the
// bytes (signature, global colour table, application, graphic control and
// other extensions, image descriptors with their local tables), giving the
// frames, the palettes by id, the NETSCAPE loop count and a canvas that is
// exactly as large as the frames reach. The logical screen size in the header
// is not used, and a first frame's disposal 3 (restore previous: there is
// nothing before it) is read as 0.
//
// Parsing records where each frame's LZW data lies; it does not decompress
// (lzw_decoder.h) or draw (gif_composer.h). Failures are values (GifStatus),
// never exceptions.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "controls/gif/allocation_budget.h"

namespace lumora {

// Why a load gave no frames. Only EndOfFile is an error with a number and a
// source; the others are plain failures of the load.
enum class GifStatus {
    Ok,
    NoData,          // nothing to load
    NotAGif,         // the first six bytes are not "GIF87a" or "GIF89a"
    EndOfFile,       // data ends inside a block: error 53, "End of File", "ReadGifFile"
    NoColourTable,   // an image with neither a local nor a global table
    NoUsableFrame,   // no image, or frames covering no pixel
    UndecodableFrame,// LZW data the decoder cannot read (bad code, code size 0 or above 8)
    TooLarge,        // the load would take more than its allocation budget
};

// The error as the control reports it: for EndOfFile the number 53, the
// source "ReadGifFile" and the description "End of File"; for the other
// failures number 0 and a short description of our own.
struct GifError {
    int number = 0;
    std::string source;
    std::string description;
};
GifError gifError(GifStatus status);

// An allocator whose vectors leave new elements uninitialised: frame indices
// and the canvas are written in full (or only their written part is read)
// right after they are made, and clearing megabytes first costs as much as
// decoding them.
template <typename T>
struct UninitialisedAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    UninitialisedAllocator() = default;
    template <typename U>
    UninitialisedAllocator(const UninitialisedAllocator<U>&) {}
    template <typename U>
    void construct(U* p) {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};
using GifIndices = std::vector<uint8_t, UninitialisedAllocator<uint8_t>>;

// One colour table, as 256 entries of 0x00RRGGBB (in memory blue, green,
// red, 0: a Windows RGBQUAD). Entries past the table's own size stay 0, so an
// index beyond the table draws black.
struct GifPalette {
    std::array<uint32_t, 256> entries{};
    int count = 0;  // entries read from the file (2..256)
};

// One accepted image: its place, timing, palette, transparency and disposal,
// where its data lies, and once decoded its raw colour indices.
struct GifFrame {
    int32_t left = 0, top = 0, width = 0, height = 0;
    int32_t delay = 0;        // milliseconds: the extension's hundredths × 10
    int32_t paletteId = 0;    // 0 the global table, 1.. local tables in order
    uint8_t transparentIndex = 0;
    bool hasTransparency = false;
    uint8_t disposal = 0;     // 0..3
    bool interlaced = false;
    uint32_t extensionPos = 0;  // its graphic control extension, else its descriptor
    uint32_t blockStart = 0;    // the 0x2C byte (0-based)
    uint32_t blockLength = 0;   // from there to the end of its image data
    uint32_t dataPos = 0;       // the LZW minimum code size byte

    // Filled by decoding: width × height indices in row order, of which the
    // first `decodedPixels` in the order of the stream (interlace passes
    // when interlaced) were decoded; LZW data that ends early leaves the
    // rest undrawn (and 0).
    GifIndices indices;
    uint64_t decodedPixels = 0;

    uint64_t area() const { return uint64_t(uint32_t(width)) * uint32_t(height); }
    bool complete() const { return decodedPixels >= area(); }
};

struct GifFile {
    int32_t canvasWidth = 0, canvasHeight = 0;  // max of left + width, top + height
    bool hasGlobalTable = false;
    bool hasLoopCount = false;
    uint16_t loopCount = 0;                // NETSCAPE2.0, read unsigned
    std::vector<GifPalette> palettes;      // [0] is the global table (zeros without one)
    std::vector<GifFrame> frames;
};

// True when the first six bytes, lower-cased, read "gif89a" or "gif87a".
bool hasGifSignature(std::span<const uint8_t> data);

// Walks the blocks. On Ok the file has at least one frame and a canvas of
// non-zero area; otherwise `out` is left empty. Palettes and frame records are
// charged to `budget`.
GifStatus parseGif(std::span<const uint8_t> data, AllocationBudget& budget, GifFile& out);

// A download's first bytes, checked before anything is loaded: at least 15
// bytes, a GIF signature, and the logical screen size from bytes 7..10.
struct RemoteHeader {
    bool isGif = false;
    int32_t width = 0, height = 0;  // pixels
};
RemoteHeader checkRemoteHeader(std::span<const uint8_t> data);

}  // namespace lumora
