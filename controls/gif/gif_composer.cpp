// Composition of GIF frames with disposal, transparency and mirroring (see
// gif_composer.h).
#include "controls/gif/gif_composer.h"

#include <algorithm>

#include "controls/gif/lzw_decoder.h"

namespace lumora {

namespace {

// How many indices of image row `row` the frame's data reached: all of them
// for a complete frame; for one whose data ended early, the part of the row
// that came before the end in stream order.
uint32_t drawnInRow(const GifFrame& frame, uint32_t row) {
    const uint32_t w = uint32_t(frame.width);
    if (frame.complete()) return w;
    const uint32_t streamRow = frame.interlaced ? interlacedStreamRow(row, uint32_t(frame.height)) : row;
    const uint64_t begin = uint64_t(streamRow) * w;
    if (frame.decodedPixels <= begin) return 0;
    return uint32_t(std::min<uint64_t>(w, frame.decodedPixels - begin));
}

template <typename T>
void flipBlock(T* data, int32_t w, int32_t h, int bits) {
    if (bits & kMirrorHorizontal) {
        for (int32_t y = 0; y < h; ++y) std::reverse(data + int64_t(y) * w, data + int64_t(y + 1) * w);
    }
    if (bits & kMirrorVertical) {
        for (int32_t y = 0; y < h / 2; ++y) {
            std::swap_ranges(data + int64_t(y) * w, data + int64_t(y + 1) * w, data + int64_t(h - 1 - y) * w);
        }
    }
}

}  // namespace

bool GifComposer::allocate(const GifFile& file, AllocationBudget& budget) {
    release();
    const uint64_t area = uint64_t(uint32_t(file.canvasWidth)) * uint32_t(file.canvasHeight);
    uint64_t savedArea = 0;
    for (const GifFrame& f : file.frames) {
        if (f.disposal == 3) savedArea = std::max(savedArea, f.area());
    }
    if (!budget.take(area, sizeof(uint32_t) + sizeof(uint8_t))) return false;
    if (!budget.take(savedArea, sizeof(uint32_t) + sizeof(uint8_t))) return false;
    width_ = file.canvasWidth;
    height_ = file.canvasHeight;
    pixels_.resize(size_t(area));
    mask_.resize(size_t(area));
    savedPixels_.resize(size_t(savedArea));
    savedMask_.resize(size_t(savedArea));
    return true;
}

void GifComposer::release() {
    *this = GifComposer{};
}

GifComposer::Rect GifComposer::placed(const GifFrame& frame, int mirrorBits) const {
    Rect r{frame.left, frame.top, frame.width, frame.height};
    if (mirrorBits & kMirrorHorizontal) r.x = width_ - frame.left - frame.width;
    if (mirrorBits & kMirrorVertical) r.y = height_ - frame.top - frame.height;
    return r;
}

void GifComposer::fill(const Rect& r) {
    for (int32_t y = r.y; y < r.y + r.h; ++y) {
        const size_t at = size_t(int64_t(y) * width_ + r.x);
        std::fill_n(pixels_.begin() + ptrdiff_t(at), r.w, 0u);
        std::fill_n(mask_.begin() + ptrdiff_t(at), r.w, uint8_t(1));
    }
}

void GifComposer::saveRows(const Rect& r) {
    saved_ = r;
    for (int32_t y = 0; y < r.h; ++y) {
        const size_t from = size_t(int64_t(r.y + y) * width_ + r.x);
        const size_t to = size_t(int64_t(y) * r.w);
        std::copy_n(pixels_.begin() + ptrdiff_t(from), r.w, savedPixels_.begin() + ptrdiff_t(to));
        std::copy_n(mask_.begin() + ptrdiff_t(from), r.w, savedMask_.begin() + ptrdiff_t(to));
    }
}

void GifComposer::restoreRows() {
    const Rect& r = saved_;
    for (int32_t y = 0; y < r.h; ++y) {
        const size_t to = size_t(int64_t(r.y + y) * width_ + r.x);
        const size_t from = size_t(int64_t(y) * r.w);
        std::copy_n(savedPixels_.begin() + ptrdiff_t(from), r.w, pixels_.begin() + ptrdiff_t(to));
        std::copy_n(savedMask_.begin() + ptrdiff_t(from), r.w, mask_.begin() + ptrdiff_t(to));
    }
}

void GifComposer::draw(const GifFile& file, const GifFrame& frame, int mirrorBits) {
    if (frame.indices.size() < frame.area() || frame.decodedPixels == 0) return;  // nothing to draw
    const Rect r = placed(frame, mirrorBits);
    const uint32_t* palette = file.palettes[size_t(frame.paletteId)].entries.data();
    const bool flipX = (mirrorBits & kMirrorHorizontal) != 0;
    const bool flipY = (mirrorBits & kMirrorVertical) != 0;
    const bool keyed = frame.hasTransparency;
    const uint8_t key = frame.transparentIndex;
    for (int32_t sy = 0; sy < r.h; ++sy) {
        const uint32_t drawn = drawnInRow(frame, uint32_t(sy));
        if (drawn == 0) continue;
        const int32_t dy = r.y + (flipY ? r.h - 1 - sy : sy);
        const uint8_t* src = frame.indices.data() + int64_t(sy) * r.w;
        const size_t rowStart = size_t(int64_t(dy) * width_ + r.x);
        uint32_t* dst = pixels_.data() + rowStart;
        uint8_t* m = mask_.data() + rowStart;
        if (!flipX && !keyed) {
            for (uint32_t x = 0; x < drawn; ++x) dst[x] = palette[src[x]];
            std::fill_n(m, drawn, uint8_t(0));
            continue;
        }
        for (uint32_t x = 0; x < drawn; ++x) {
            const uint8_t index = src[x];
            if (keyed && index == key) continue;
            const uint32_t dx = flipX ? uint32_t(r.w) - 1 - x : x;
            dst[dx] = palette[index];
            m[dx] = 0;
        }
    }
}

void GifComposer::compose(const GifFile& file, int n, int mirrorBits) {
    if (n < 1 || size_t(n) > file.frames.size() || pixels_.empty()) return;
    const GifFrame& frame = file.frames[size_t(n - 1)];
    if (n == 1 || last_ == 0) {
        // A new pass starts from nothing, whatever the last frame asked.
        std::fill(pixels_.begin(), pixels_.end(), 0u);
        std::fill(mask_.begin(), mask_.end(), uint8_t(1));
    } else {
        const GifFrame& previous = file.frames[size_t(last_ - 1)];
        if (previous.disposal == 2) fill(lastRect_);
        if (previous.disposal == 3) restoreRows();
    }
    const Rect r = placed(frame, mirrorBits);
    if (frame.disposal == 3) saveRows(r);
    draw(file, frame, mirrorBits);
    last_ = n;
    lastRect_ = r;
}

void GifComposer::mirror(int changedBits) {
    if (pixels_.empty() || changedBits == 0) return;
    flipBlock(pixels_.data(), width_, height_, changedBits);
    flipBlock(mask_.data(), width_, height_, changedBits);
    flipBlock(savedPixels_.data(), saved_.w, saved_.h, changedBits);
    flipBlock(savedMask_.data(), saved_.w, saved_.h, changedBits);
    for (Rect* r : {&saved_, &lastRect_}) {
        if (changedBits & kMirrorHorizontal) r->x = width_ - r->x - r->w;
        if (changedBits & kMirrorVertical) r->y = height_ - r->y - r->h;
    }
}

}  // namespace lumora
