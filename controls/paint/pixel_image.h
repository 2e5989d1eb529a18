// The skinned controls' drawing surface and the few operations their painters
// use: a 32-bit pixel image (0x00RRGGBB, rows top-down, so a window layer can
// blit it unchanged as a top-down 32-bit DIB), a nearest-neighbour stretch
// copy of a source rectangle, solid rectangles and one-pixel pen lines that
// leave their end point unpainted, as a pen moved to a point and drawn to
// another does.
//
// Everything clips to the destination, skips source pixels that lie outside
// the source image and draws nothing for empty or negative sizes: no call
// reads or writes out of bounds whatever its arguments. Nothing here knows a
// control, a platform or a file format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumora {

struct PixelImage {
    int32_t width = 0, height = 0;
    std::vector<uint32_t> pixels;  // width * height, row y at y * width

    PixelImage() = default;
    PixelImage(int32_t w, int32_t h, uint32_t fill = 0);

    bool empty() const { return width <= 0 || height <= 0; }
    bool contains(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    // The pixel at (x, y); 0 outside the image.
    uint32_t at(int32_t x, int32_t y) const { return contains(x, y) ? pixels[index(x, y)] : 0; }
    void set(int32_t x, int32_t y, uint32_t rgb) {
        if (contains(x, y)) pixels[index(x, y)] = rgb;
    }
    std::size_t index(int32_t x, int32_t y) const { return std::size_t(y) * std::size_t(width) + std::size_t(x); }
    // A new size; what was there is lost (every pixel becomes `fill`).
    void reset(int32_t w, int32_t h, uint32_t fill = 0);
    // A new size keeping the pixels that still fit, top-left anchored, the
    // new area `fill` (a window's persistent image grows this way).
    void resizeKeeping(int32_t w, int32_t h, uint32_t fill = 0);
};

// Largest side a surface or a decoded bitmap may have: far above any control,
// low enough that width * height * 4 stays well inside memory and std::size_t.
inline constexpr int32_t kMaxImageSide = 16384;

void fillRect(PixelImage& dst, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t rgb);

// Copies the source rectangle (sx, sy, sw, sh) of `src` into the destination
// rectangle (dx, dy, dw, dh), nearest neighbour: destination column i takes
// source column sx + floor((2i + 1) * sw / (2 dw)), the source pixel under
// the centre of the destination pixel, and likewise for rows. Equal sizes
// copy pixel for pixel.
void stretchBlit(PixelImage& dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const PixelImage& src,
                 int32_t sx, int32_t sy, int32_t sw, int32_t sh);

// A one-pixel line from (x1, y1) towards (x2, y2), the end point itself not
// painted (Bresenham's steps; the controls only draw straight rows and columns).
void penLine(PixelImage& dst, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t rgb);

// 0x00BBGGRR (a Windows colour value) to 0x00RRGGBB and back.
constexpr uint32_t rgbFromColorref(uint32_t colorref) {
    return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}
constexpr uint32_t colorrefFromRgb(uint32_t rgb) { return rgbFromColorref(rgb); }

}  // namespace lumora
