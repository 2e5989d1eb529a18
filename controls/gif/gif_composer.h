// The composed picture of an animated GIF: `backBuffer` (0x00RRGGBB, black
// where transparent) and `mask` (1 where transparent), the size of the canvas.
//
// Frame n is composed on top of what the frame composed last left behind:
// frame 1 starts a pass from a clear canvas (the clear wins over the last
// frame's disposal); otherwise the last frame's disposal 2 clears its
// rectangle and disposal 3 puts back the rows saved before it was drawn; a
// frame with disposal 3 has its rows saved first. Opaque pixels of the frame
// replace the canvas and blacken the mask; its transparent index and the
// pixels its data never reached leave the canvas as it was.
//
// Mirroring is applied here, as frames are drawn (frame and position flipped
// along the mirrored axes), so the frames themselves stay as the file gave
// them; `mirror()` flips what is already composed when the setting changes.
// Knows nothing of timing or of the window that shows the picture.
#pragma once

#include <cstdint>
#include <vector>

#include "controls/gif/allocation_budget.h"
#include "controls/gif/gif_file.h"

namespace lumora {

enum MirrorBits : int { kMirrorHorizontal = 1, kMirrorVertical = 2 };

class GifComposer {
public:
    // Sizes the buffers for `file` (canvas, mask, and room for the largest
    // disposal-3 frame's saved rows), charged to the budget. False when they
    // do not fit; nothing is kept then.
    bool allocate(const GifFile& file, AllocationBudget& budget);
    void release();

    // Composes frame `n` (1-based) of `file`, mirrored by `mirrorBits`.
    void compose(const GifFile& file, int n, int mirrorBits);

    // Flips the composed picture (and the saved rows) along the axes in
    // `changedBits`, as if every frame so far had been drawn mirrored.
    void mirror(int changedBits);

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    const uint32_t* pixels() const { return pixels_.data(); }
    const uint8_t* mask() const { return mask_.data(); }
    int lastComposed() const { return last_; }

private:
    struct Rect {
        int32_t x = 0, y = 0, w = 0, h = 0;
    };
    Rect placed(const GifFrame& frame, int mirrorBits) const;
    void fill(const Rect& r);
    void saveRows(const Rect& r);
    void restoreRows();
    void draw(const GifFile& file, const GifFrame& frame, int mirrorBits);

    int32_t width_ = 0, height_ = 0;
    // Uninitialised until frame 1 is composed, which clears them.
    std::vector<uint32_t, UninitialisedAllocator<uint32_t>> pixels_;
    GifIndices mask_;
    // The rows under the last disposal-3 frame, from before it was drawn.
    Rect saved_;
    std::vector<uint32_t, UninitialisedAllocator<uint32_t>> savedPixels_;
    GifIndices savedMask_;
    int last_ = 0;            // the frame composed last, 0 for none
    Rect lastRect_;           // where it was drawn
};

}  // namespace lumora
