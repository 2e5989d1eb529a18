// The controls gallery's layout: which buttons and scroll bars it shows,
// where, and with which saved properties. Shared by the Windows gallery,
// which makes windows from it, and the native check, which paints the same
// controls without windows and compares them with a screenshot of the
// gallery: so the two always agree on what is where.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "controls/paint/pixel_image.h"
#include "controls/paint/skin.h"
#include "controls/property_bag.h"

namespace lumora {

struct GalleryControl {
    enum class Kind : uint8_t { Button, ScrollBar };
    Kind kind = Kind::Button;
    std::string name;  // as the gallery's event log names it
    int32_t x = 0, y = 0, width = 0, height = 0;  // client pixels
    PropertyBag properties;
};

inline constexpr int32_t kGalleryWidth = 640, kGalleryHeight = 270;
// The dialog colour behind the controls (0x00RRGGBB).
inline constexpr uint32_t kGalleryBackground = 0xECE9D8;
// Where the animated GIF player sits (its size is the stretch rule's).
inline constexpr int32_t kGalleryGifX = 430, kGalleryGifY = 160, kGalleryGifWidth = 190, kGalleryGifHeight = 95;

// Per scheme (blue, olive green, silver) a column: an enabled 190-pixel bar,
// a disabled one, the settings dialog's 97-pixel bar (Max 30, LargeChange
// 10: a 16-pixel thumb with its grip), one with Max 100 (a 10-pixel thumb,
// no grip), and a 46-pixel bar (too narrow for a thumb); then a row of
// buttons: enabled ones, a disabled one, one too small for its border and
// a transparent one (its "Visible" false).
std::vector<GalleryControl> galleryControls();

// A control painted as its window shows it before any input (the caption
// not included), `labelHeight` for the button's caption layout. Sets
// `captionTop` to the caption's top row (buttons; -1 for bars).
PixelImage paintGalleryControl(const GalleryControl& control, const Skin& skin, int32_t labelHeight,
                               int32_t& captionTop);

}  // namespace lumora
