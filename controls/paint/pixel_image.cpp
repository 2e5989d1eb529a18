// Pixel image operations for the skinned controls' painters. All clipping is
// done in 64-bit so that extreme coordinates cannot overflow.
#include "controls/paint/pixel_image.h"

#include <algorithm>
#include <cstdlib>

namespace lumora {

namespace {

int32_t clampSide(int32_t v) { return std::clamp<int32_t>(v, 0, kMaxImageSide); }

}  // namespace

PixelImage::PixelImage(int32_t w, int32_t h, uint32_t fill) { reset(w, h, fill); }

void PixelImage::reset(int32_t w, int32_t h, uint32_t fill) {
    width = clampSide(w);
    height = clampSide(h);
    if (width == 0 || height == 0) width = height = 0;
    pixels.assign(std::size_t(width) * std::size_t(height), fill);
}

void PixelImage::resizeKeeping(int32_t w, int32_t h, uint32_t fill) {
    PixelImage grown(w, h, fill);
    const int32_t cw = std::min(width, grown.width), ch = std::min(height, grown.height);
    for (int32_t y = 0; y < ch; ++y)
        for (int32_t x = 0; x < cw; ++x) grown.set(x, y, at(x, y));
    *this = std::move(grown);
}

void fillRect(PixelImage& dst, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t rgb) {
    const int64_t x0 = std::max<int64_t>(x, 0), y0 = std::max<int64_t>(y, 0);
    const int64_t x1 = std::min<int64_t>(int64_t(x) + w, dst.width), y1 = std::min<int64_t>(int64_t(y) + h, dst.height);
    for (int64_t py = y0; py < y1; ++py)
        for (int64_t px = x0; px < x1; ++px) dst.pixels[std::size_t(py * dst.width + px)] = rgb;
}

void stretchBlit(PixelImage& dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const PixelImage& src,
                 int32_t sx, int32_t sy, int32_t sw, int32_t sh) {
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || src.empty() || dst.empty()) return;
    // Only the destination pixels inside the surface are visited.
    const int64_t i0 = std::max<int64_t>(0, -int64_t(dx)), i1 = std::min<int64_t>(dw, int64_t(dst.width) - dx);
    const int64_t j0 = std::max<int64_t>(0, -int64_t(dy)), j1 = std::min<int64_t>(dh, int64_t(dst.height) - dy);
    for (int64_t j = j0; j < j1; ++j) {
        const int64_t srcY = sy + (2 * j + 1) * sh / (2 * int64_t(dh));
        if (srcY < 0 || srcY >= src.height) continue;
        for (int64_t i = i0; i < i1; ++i) {
            const int64_t srcX = sx + (2 * i + 1) * sw / (2 * int64_t(dw));
            if (srcX < 0 || srcX >= src.width) continue;
            dst.pixels[std::size_t((dy + j) * dst.width + dx + i)] = src.pixels[std::size_t(srcY * src.width + srcX)];
        }
    }
}

void penLine(PixelImage& dst, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t rgb) {
    if (x1 == x2 && y1 == y2) return;
    if (x1 == x2 || y1 == y2) {
        // A row or a column, the only lines the controls draw: the pixels
        // from the start up to the one before the end, clipped.
        const int64_t endX = x1 < x2 ? int64_t(x2) - 1 : x1 > x2 ? int64_t(x2) + 1 : x2;
        const int64_t endY = y1 < y2 ? int64_t(y2) - 1 : y1 > y2 ? int64_t(y2) + 1 : y2;
        const int64_t x0 = std::max<int64_t>(std::min<int64_t>(x1, endX), 0);
        const int64_t xn = std::min<int64_t>(std::max<int64_t>(x1, endX), int64_t(dst.width) - 1);
        const int64_t y0 = std::max<int64_t>(std::min<int64_t>(y1, endY), 0);
        const int64_t yn = std::min<int64_t>(std::max<int64_t>(y1, endY), int64_t(dst.height) - 1);
        for (int64_t y = y0; y <= yn; ++y)
            for (int64_t x = x0; x <= xn; ++x) dst.pixels[std::size_t(y * dst.width + x)] = rgb;
        return;
    }
    // Any other line: Bresenham's steps, as long as it could touch the surface.
    const int64_t ddx = std::llabs(int64_t(x2) - x1), ddy = std::llabs(int64_t(y2) - y1);
    if (std::max(ddx, ddy) > 4 * int64_t(kMaxImageSide)) return;
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int64_t x = x1, y = y1, err = ddx - ddy;
    while (x != x2 || y != y2) {
        if (x >= 0 && y >= 0 && x < dst.width && y < dst.height) dst.pixels[std::size_t(y * dst.width + x)] = rgb;
        const int64_t e2 = 2 * err;
        if (e2 > -ddy) {
            err -= ddy;
            x += sx;
        }
        if (e2 < ddx) {
            err += ddx;
            y += sy;
        }
    }
}

}  // namespace lumora
