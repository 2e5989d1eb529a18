// The stretch rule (see gif_stretch.h). Scales are 32-bit floats, as the
// control keeps them; sizes are rounded half to even.
#include "controls/gif/gif_stretch.h"

#include <algorithm>
#include <cmath>

namespace lumora {

namespace {

int32_t roundedSize(float scale, int32_t size) {
    return int32_t(std::nearbyint(double(scale) * size));
}

}  // namespace

GifDrawRect stretchRect(int stretch, int32_t clientWidth, int32_t clientHeight, int32_t canvasWidth,
                        int32_t canvasHeight) {
    GifDrawRect r;
    r.srcWidth = canvasWidth;
    r.srcHeight = canvasHeight;
    r.width = canvasWidth;
    r.height = canvasHeight;
    if (canvasWidth <= 0 || canvasHeight <= 0) return GifDrawRect{};
    const int32_t cw = std::max(clientWidth, 0), ch = std::max(clientHeight, 0);
    const float rx = float(cw) / float(canvasWidth);
    const float ry = float(ch) / float(canvasHeight);
    switch (stretch) {
        case 0:
            r.srcWidth = r.width = std::min(cw, canvasWidth);
            r.srcHeight = r.height = std::min(ch, canvasHeight);
            break;
        case 1:
        case 3:
            if (stretch == 3 && rx > 1 && ry > 1) break;
            r.scaleX = r.scaleY = std::min(rx, ry);
            r.width = roundedSize(r.scaleX, canvasWidth);
            r.height = roundedSize(r.scaleY, canvasHeight);
            break;
        case 2:
            r.scaleX = rx;
            r.scaleY = ry;
            r.width = cw;
            r.height = ch;
            break;
        default:  // 4: the canvas as it is
            break;
    }
    return r;
}

}  // namespace lumora
