// The controls gallery's layout; see gallery_layout.h.
#include "tools/controls_gallery/gallery_layout.h"

#include <array>

#include "controls/button/command_button.h"
#include "controls/scrollbar/scroll_bar.h"

namespace lumora {

std::vector<GalleryControl> galleryControls() {
    std::vector<GalleryControl> all;
    auto bar = [&](std::string name, int32_t x, int32_t y, int32_t width, int scheme) -> GalleryControl& {
        GalleryControl c;
        c.kind = GalleryControl::Kind::ScrollBar;
        c.name = std::move(name);
        c.x = x;
        c.y = y;
        c.width = width;
        c.height = 17;
        c.properties.writeInt("Colorscheme", scheme, 0);
        all.push_back(std::move(c));
        return all.back();
    };
    const std::array<const char*, 3> schemes{"blue", "olive", "silver"};
    for (int scheme = 0; scheme < 3; ++scheme) {
        const int32_t x = 20 + 205 * scheme;
        const std::string s = schemes[static_cast<std::size_t>(scheme)];
        GalleryControl& wide = bar(s + "-wide", x, 20, 190, scheme);
        wide.properties.writeInt("Max", 100, 255);
        wide.properties.writeInt("Value", 25, 0);
        GalleryControl& off = bar(s + "-disabled", x, 50, 190, scheme);
        off.properties.writeBool("Enabled", false, true);
        off.properties.writeInt("Value", 128, 0);
        // The settings dialog's level bars: 97 pixels, Min 1, Max 30.
        GalleryControl& level = bar(s + "-level", x, 80, 97, scheme);
        level.properties.writeInt("Max", 30, 255);
        level.properties.writeInt("Min", 1, 0);
        level.properties.writeInt("Value", 1, 0);
        GalleryControl& hundred = bar(s + "-max100", x, 110, 97, scheme);
        hundred.properties.writeInt("Max", 100, 255);
        hundred.properties.writeInt("Value", 50, 0);
        bar(s + "-narrow", x + 110, 80, 46, scheme);
    }
    auto button = [&](std::string name, int32_t x, int32_t y, int32_t w, int32_t h, const char* caption) -> GalleryControl& {
        GalleryControl c;
        c.kind = GalleryControl::Kind::Button;
        c.name = std::move(name);
        c.x = x;
        c.y = y;
        c.width = w;
        c.height = h;
        c.properties.writeString("Caption", caption, Command::kDefaultCaption);
        all.push_back(std::move(c));
        return all.back();
    };
    button("ok", 20, 160, 89, 25, "設定");
    button("cancel", 120, 160, 89, 25, "ｷｬﾝｾﾙ");
    button("wide", 220, 160, 160, 40, "初期値に戻す");
    button("disabled", 20, 210, 89, 25, "無効").properties.writeBool("Enabled", false, true);
    button("tiny", 120, 210, 7, 7, "");
    // "Visible" false: a transparent back style shows the window beneath.
    button("transparent", 220, 210, 89, 25, "透明").properties.writeInt("Visible", 0, 1);
    return all;
}

PixelImage paintGalleryControl(const GalleryControl& control, const Skin& skin, int32_t labelHeight,
                               int32_t& captionTop) {
    captionTop = -1;
    if (control.kind == GalleryControl::Kind::ScrollBar) return renderScrollBar(control.properties, control.width, {}, skin);
    // A form loads its buttons, then initializes each.
    CaptionLayout caption;
    PixelImage face = renderCommand(control.properties, control.width, control.height, {}, skin, &caption, labelHeight);
    captionTop = caption.top;
    if (control.properties.readInt("Visible", 1) == 0) face.reset(face.width, face.height, kGalleryBackground);
    return face;
}

}  // namespace lumora
