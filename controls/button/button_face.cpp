// The Command button's face: gradient, then the border pieces in the order
// top-left, top, top-right, right, bottom-right, bottom, bottom-left, left.
#include "controls/button/button_face.h"

#include "controls/art/art_ids.h"

namespace lumora {

namespace {

// The border pieces, in pixels. The bitmap is 64 x 25; its outer 4 pixels
// are the frame, the rest is never used. The offsets of one twip in the
// control's own units fall below a pixel and vanish here.
constexpr int32_t kB = 4;                    // border width
constexpr int32_t kArtW = 64, kArtH = 25;
constexpr int32_t kEdgeW = kArtW - 2 * kB;  // 56: the source of a top or bottom edge
constexpr int32_t kEdgeH = kArtH - 2 * kB;  // 17: the source of a left or right edge

uint32_t channel(uint32_t rgb, int shift) { return ((rgb >> shift) & 0xFF) << 8; }

}  // namespace

int buttonLookArtId(ButtonLook look) {
    switch (look) {
    case ButtonLook::Normal: return IDB_BUTTON_NORMAL;
    case ButtonLook::HighLight: return IDB_BUTTON_HIGHLIGHT;
    case ButtonLook::Pressed: return IDB_BUTTON_PRESSED;
    case ButtonLook::Selected: return IDB_BUTTON_SELECTED;
    case ButtonLook::HighLightSelect: return IDB_BUTTON_HIGHLIGHTSELECT;
    case ButtonLook::Disable: return IDB_BUTTON_DISABLE;
    case ButtonLook::None: break;
    }
    return 0;
}

uint32_t gradientRow(int32_t y, int32_t height, bool invertGradient) {
    const uint32_t top = invertGradient ? kGradientLavender : kGradientWhite;
    const uint32_t bottom = invertGradient ? kGradientWhite : kGradientLavender;
    if (height <= 1) return top;
    uint32_t out = 0;
    for (int shift = 16; shift >= 0; shift -= 8) {
        const int64_t c = (int64_t(channel(top, shift)) * (height - 1 - y) + int64_t(channel(bottom, shift)) * y) /
                          (height - 1);
        out |= uint32_t(c >> 8) << shift;
    }
    return out;
}

void paintCommandFace(PixelImage& surface, int32_t width, int32_t height, ButtonLook look, bool invertGradient,
                      const Skin& skin) {
    surface.reset(width, height);
    if (surface.empty()) return;
    for (int32_t y = 0; y < surface.height; ++y)
        fillRect(surface, 0, y, surface.width, 1, gradientRow(y, surface.height, invertGradient));

    const PixelImage* art = skin.bitmap(buttonLookArtId(look));
    if (!art || width < 2 * kB || height < 2 * kB) return;
    const int32_t W = width, H = height;
    const PixelImage& a = *art;
    stretchBlit(surface, 0, 0, kB, kB, a, 0, 0, kB, kB);                                   // top-left
    stretchBlit(surface, kB, 0, W - 2 * kB, kB, a, kB, 0, kEdgeW, kB);                     // top
    stretchBlit(surface, W - kB, 0, kB, kB, a, kArtW - kB, 0, kB, kB);                     // top-right
    stretchBlit(surface, W - kB, kB, kB, H - 2 * kB, a, kArtW - kB, kB, kB, kEdgeH);       // right
    // The bottom-right piece is 7 rows high from row 21: the rows past the
    // bitmap fall below the control and are clipped, leaving its last 4.
    stretchBlit(surface, W - kB, H - kB, kB, 7, a, kArtW - kB, kArtH - kB, kB, 7);         // bottom-right
    stretchBlit(surface, kB, H - kB, W - 2 * kB, kB, a, kB, kArtH - kB, kEdgeW, kB);       // bottom
    stretchBlit(surface, 0, H - kB, kB, kB, a, 0, kArtH - kB, kB, kB);                     // bottom-left
    stretchBlit(surface, 0, kB, kB, H - 2 * kB, a, 0, kB, kB, kEdgeH);                     // left
}

}  // namespace lumora
