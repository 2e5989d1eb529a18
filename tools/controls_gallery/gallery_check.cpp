// controls-gallery-check: compares a screenshot of the controls gallery's
// client area with the same controls painted natively, pixel for pixel.
// Everything but the buttons' caption rows must match exactly: the windows
// blit what the portable painters produce, and the painters are the same
// code on both sides.
//
//   controls-gallery-check SHOT.ppm LABEL_HEIGHT
//
// SHOT.ppm: the client area as a binary PPM (P6, 8 bits a channel);
// LABEL_HEIGHT: the caption label's height in pixels, which the gallery logs
// (its font is the platform's). Prints a line per control; exit status 0
// when all match, 1 when one differs, 2 on bad input.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "controls/paint/skin.h"
#include "tools/controls_gallery/gallery_layout.h"

using namespace lumora;

namespace {

bool readPpm(const char* path, PixelImage& image) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int w = 0, h = 0, maxValue = 0;
    if (!(in >> magic >> w >> h >> maxValue) || magic != "P6" || maxValue != 255 || w <= 0 || h <= 0 ||
        w > kMaxImageSide || h > kMaxImageSide)
        return false;
    in.get();  // the one white-space byte before the pixels
    image.reset(w, h);
    std::string row(static_cast<std::size_t>(w) * 3, '\0');
    for (int y = 0; y < h; ++y) {
        if (!in.read(row.data(), static_cast<std::streamsize>(row.size()))) return false;
        for (int x = 0; x < w; ++x) {
            const auto* p = reinterpret_cast<const uint8_t*>(row.data()) + 3 * x;
            image.set(x, y, uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]);
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    PixelImage shot;
    if (argc != 3 || !readPpm(argv[1], shot)) {
        std::fprintf(stderr, "usage: controls-gallery-check SHOT.ppm LABEL_HEIGHT (a P6 PPM of the client area)\n");
        return 2;
    }
    const int32_t labelHeight = std::atoi(argv[2]);
    const Skin skin = Skin::loadDirectory(LUMORA_CONTROL_ART_DIR);
    int failures = 0;
    for (const GalleryControl& control : galleryControls()) {
        int32_t captionTop = -1;
        const PixelImage want = paintGalleryControl(control, skin, labelHeight, captionTop);
        const bool hasCaption = control.kind == GalleryControl::Kind::Button &&
                                !control.properties.readString("Caption", "Command1").empty();
        int differ = 0, compared = 0;
        std::string first;
        for (int32_t y = 0; y < want.height; ++y) {
            if (hasCaption && y >= captionTop && y < captionTop + labelHeight) continue;  // the text's rows
            for (int32_t x = 0; x < want.width; ++x) {
                ++compared;
                const int32_t sx = control.x + x, sy = control.y + y;
                const uint32_t expected = want.at(x, y);
                if (shot.contains(sx, sy) && shot.at(sx, sy) == expected) continue;
                if (differ++ == 0) {
                    char text[96];
                    std::snprintf(text, sizeof text, " (first at %d,%d: %06X, painted %06X)", x, y, shot.at(sx, sy), expected);
                    first = text;
                }
            }
        }
        if (differ == 0) {
            std::printf("ok   %s: %d pixels match\n", control.name.c_str(), compared);
        } else {
            std::printf("FAIL %s: %d of %d pixels differ%s\n", control.name.c_str(), differ, compared, first.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
