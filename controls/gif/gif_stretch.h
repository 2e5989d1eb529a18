// The animated GIF control's stretch rule: from the control's client size and
// the canvas size, the scale and the rectangle the picture is drawn into.
//
//   Stretch 0  scale 1 x 1, the top-left min(cw, W) x min(ch, H) of the canvas
//   Stretch 1  s = min(cw / W, ch / H) both ways: s W x s H, rounded
//   Stretch 2  cw / W and ch / H: the whole client area
//   Stretch 3  as 1, but 1 x 1 when both ratios exceed 1 (shrink only)
//   Stretch 4  scale 1 x 1, the whole canvas (the control takes its size)
//
// Pure arithmetic in pixels; the units of the container are the platform's.
#pragma once

#include <cstdint>

namespace lumora {

struct GifDrawRect {
    int32_t srcWidth = 0, srcHeight = 0;  // the part of the canvas drawn (from 0, 0)
    int32_t width = 0, height = 0;        // its size in the control (at 0, 0)
    float scaleX = 1, scaleY = 1;
    bool stretched() const { return width != srcWidth || height != srcHeight; }
};

GifDrawRect stretchRect(int stretch, int32_t clientWidth, int32_t clientHeight, int32_t canvasWidth,
                        int32_t canvasHeight);

}  // namespace lumora
