// Makes the skinned controls' artwork in controls/art: the six 64 x 25 faces
// of the Command button and the XP scroll bar's pieces (arrows normal, hot
// and pressed in the blue, olive green and silver schemes, the disabled
// arrows, the thumb's end caps, the track tiles and the pressed track tiles),
// each a 24-bit .bmp, and three files that name them:
//   art_ids.h       the resource ids, #defines only (the resource compiler reads it)
//   art_files.h     the same list for C++: id, file, size (the portable loader's table)
//   control_art.rc  a resource script binding each id to its bitmap
//
//   cmake --build build/native --target make-control-art   (or g++ -std=c++20 -O2 this file)
//   make-control-art controls/art
//
// The output is committed; this tool documents how it was made. Everything is
// drawn in floating point as layers of shapes over a background, each pixel
// covered in proportion to the area the shape takes of it (8 x 8 samples), and
// rounded once at the end; there is no randomness.
//
// The looks: the XP-era theme's blue, and its olive green and silver variants.
// A button has a dark blue, rounded one-pixel frame; inside it a light face,
// an orange ring when the mouse is over it, a blue ring when it has the focus,
// a sunken, shifted face when pressed and a light grey frame when disabled.
// Only the outer 4 pixels of a face are drawn by the control; the rest of the
// bitmap shows the face as the control's gradient would. Scroll bar arrows
// are small rounded buttons whose face colours are those of the thumb in the
// same state, with a chevron; the thumb's caps round its ends.
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tools/datagen/art_canvas.h"

namespace {

using namespace art;
constexpr const char* kTool = "make_control_art";

// Within `half` of the segment (ax, ay)-(bx, by): a stroke with round ends.
Shape stroke(double ax, double ay, double bx, double by, double half) {
    return [=](double x, double y) {
        const double dx = bx - ax, dy = by - ay;
        const double t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        const double ex = ax + t * dx - x, ey = ay + t * dy - y;
        return ex * ex + ey * ey <= half * half;
    };
}

// ---------------------------------------------------------------- button ---

constexpr int kButtonW = 64, kButtonH = 25;
const Rgb kDialog = rgb(236, 233, 216);   // the dialog behind the rounded corners
const Rgb kFrame = rgb(0, 60, 116);       // the dark blue frame
const Rgb kFrameOff = rgb(201, 199, 186); // the disabled frame

// The control's own face gradient for a 25-pixel button (the same formula
// as the painter's), so that the bitmap's inner rim meets it without a seam.
Rgb faceGradient(int y, bool invert) {
    const Rgb white = rgb(255, 255, 255), lavender = rgb(198, 197, 215);
    const Rgb top = invert ? lavender : white, bottom = invert ? white : lavender;
    return mix(top, bottom, double(y) / (kButtonH - 1));
}

// Which side of the face a rim pixel belongs to.
enum class Side { Top, Bottom, Left, Right };
Side sideOf(int x, int y) {
    const int d[] = {y, kButtonH - 1 - y, x, kButtonW - 1 - x};
    return Side(std::min_element(d, d + 4) - d);
}

enum class Look { Normal, HighLight, Pressed, Selected, HighLightSelect, Disable };

Canvas drawButton(Look look) {
    Canvas c(kButtonW, kButtonH);
    c.fill(flat(kDialog));
    const bool hot = look == Look::HighLight || look == Look::HighLightSelect;
    // The control paints a hovered face with the gradient upside down.
    const bool invert = hot || look == Look::Pressed;
    Paint face = [invert](int, int y) { return faceGradient(y, invert); };
    if (look == Look::Pressed) face = [](int, int y) { return scale(faceGradient(y, true), 0.95); };
    if (look == Look::Disable) face = flat(rgb(245, 244, 234));

    c.layer(roundRect(0, 0, kButtonW, kButtonH, 3.2), flat(look == Look::Disable ? kFrameOff : kFrame));

    // The rim just inside the frame: light above, shaded below and right.
    Paint rim = [face](int x, int y) {
        switch (sideOf(x, y)) {
        case Side::Top: return mix(face(x, y), kWhite, 0.8);
        case Side::Left: return mix(face(x, y), kWhite, 0.4);
        case Side::Right: return scale(face(x, y), 0.94);
        default: return scale(face(x, y), 0.9);
        }
    };
    Paint ring;  // the two-pixel coloured ring of the hot and focus looks
    if (hot)
        ring = rows({rgb(255, 240, 207), rgb(253, 216, 137), rgb(248, 179, 48), rgb(229, 151, 0)}, 0, kButtonH - 1);
    else if (look == Look::Selected)
        ring = rows({rgb(206, 231, 255), rgb(188, 212, 246), rgb(137, 173, 228), rgb(105, 130, 238)}, 0, kButtonH - 1);
    else if (look == Look::Pressed)
        // Sunken: a shadow along the top and the left, the face one pixel lower.
        rim = [face](int x, int y) {
            const Side s = sideOf(x, y);
            return s == Side::Top || s == Side::Left ? rgb(200, 196, 186) : face(x, y);
        };
    else if (look == Look::Disable)
        rim = face;

    c.layer(roundRect(1, 1, kButtonW - 1, kButtonH - 1, 2.2), ring ? ring : rim);
    if (ring) {
        c.layer(roundRect(2, 2, kButtonW - 2, kButtonH - 2, 1.2), [ring, face](int x, int y) {
            return mix(ring(x, y), face(x, y), 0.35);
        });
    } else if (look == Look::Pressed) {
        c.layer(roundRect(2, 2, kButtonW - 2, kButtonH - 2, 1.2), [face](int x, int y) {
            const Side s = sideOf(x, y);
            return s == Side::Top || s == Side::Left ? rgb(222, 219, 210) : face(x, y);
        });
    }
    c.layer(roundRect(3, 3, kButtonW - 3, kButtonH - 3, 0.5), face);
    return c;
}

// ------------------------------------------------------------ scroll bar ---

// Per scheme: the face of an arrow in each state, from the thumb's body
// colours of that state (rows 3, 8 and 13 of its table), the outline, the
// chevron's colour.
struct SchemeArt {
    const char* name;  // in ids and file names
    std::array<std::array<Rgb, 3>, 3> face;  // [state][top, middle, bottom]
    std::array<Rgb, 3> outline;              // [state]
    Rgb glyph;
    bool outlinedTop;  // the thumb's first row is outline (silver) or highlight
};
const std::array<SchemeArt, 3> kSchemes = {{
    {"BLUE",
     {{{rgb(200, 214, 251), rgb(195, 213, 253), rgb(182, 205, 251)},
       {rgb(214, 231, 255), rgb(214, 231, 255), rgb(202, 224, 255)},
       {rgb(160, 182, 236), rgb(165, 189, 251), rgb(150, 179, 249)}}},
     {rgb(159, 181, 210), rgb(159, 181, 210), rgb(159, 181, 210)},
     rgb(77, 97, 133),
     false},
    {"OLIVE",
     {{{rgb(164, 180, 139), rgb(164, 180, 139), rgb(149, 167, 117)},
       {rgb(200, 213, 170), rgb(202, 215, 167), rgb(195, 208, 150)},
       {rgb(145, 163, 120), rgb(154, 173, 127), rgb(148, 169, 114)}}},
     {rgb(139, 147, 119), rgb(139, 147, 119), rgb(139, 147, 119)},
     rgb(255, 255, 255),
     false},
    {"SILVER",
     {{{rgb(247, 247, 249), rgb(226, 226, 234), rgb(204, 205, 219)},
       {rgb(254, 254, 255), rgb(229, 228, 238), rgb(201, 203, 220)},
       {rgb(197, 199, 216), rgb(223, 224, 234), rgb(253, 252, 254)}}},
     {rgb(148, 149, 162), rgb(91, 102, 101), rgb(67, 72, 72)},
     rgb(72, 72, 84),
     true},
}};

constexpr int kTrackH = 17, kArrowW = 17, kArrowH = 16, kCapH = 16;

// The track tiles, top to bottom: a faint line along the top, then a soft
// gradient; the pressed tiles darker.
Paint trackPaint(bool silver, bool pressed) {
    if (pressed)
        return silver ? rows({rgb(172, 174, 194), rgb(196, 197, 214), rgb(208, 209, 222)}, 0, kTrackH - 1)
                      : rows({rgb(180, 178, 165), rgb(199, 197, 185), rgb(212, 210, 198)}, 0, kTrackH - 1);
    return silver ? rows({rgb(236, 236, 242), rgb(245, 245, 248), rgb(253, 253, 254)}, 0, kTrackH - 1)
                  : rows({rgb(236, 234, 226), rgb(244, 242, 237), rgb(253, 253, 250)}, 0, kTrackH - 1);
}

// An arrow: a rounded button with a white inner rim on a face gradient and a
// chevron pointing `left` or right. `track` is what lies behind its corners
// (the arrows sit from row 1 of the bar). Pressed chevrons sit one pixel
// lower and to the right.
Canvas drawArrow(bool left, const std::array<Rgb, 3>& face, Rgb outline, Rgb glyph, const Paint& track,
                 bool pressed) {
    Canvas c(kArrowW, kArrowH);
    c.fill([&](int x, int y) { return track(x, y + 1); });
    const Paint facePaint = rows({face[0], face[1], face[2]}, 0, kArrowH - 1);
    c.layer(roundRect(0, 0, kArrowW, kArrowH, 2.6), flat(outline));
    c.layer(roundRect(1, 1, kArrowW - 1, kArrowH - 1, 1.8), [&](int x, int y) {
        // Lighter towards the top left, as if lit from there.
        return y <= 1 || x <= 1 ? mix(facePaint(x, y), kWhite, 0.75) : mix(facePaint(x, y), kWhite, 0.3);
    });
    c.layer(roundRect(2, 2, kArrowW - 2, kArrowH - 2, 1.0), facePaint);
    const double d = pressed ? 1.0 : 0.0;
    const double tipX = (left ? 6.0 : 11.0) + d, backX = (left ? 10.0 : 7.0) + d, midY = 8.0 + d;
    // A light chevron gets a soft shadow below and right of it, so that it
    // still reads on the lighter hot face.
    if (glyph.r + glyph.g + glyph.b > 600) {
        const Rgb shadow = mix(face[1], scale(outline, 0.7), 0.6);
        for (double dy : {-3.6, 3.6})
            c.layer(stroke(tipX + 0.7, midY + 0.7, backX + 0.7, midY + 0.7 + dy, 1.05), flat(shadow));
    }
    for (double dy : {-3.6, 3.6}) c.layer(stroke(tipX, midY, backX, midY + dy, 1.05), flat(glyph));
    return c;
}

// The thumb's caps, cut from a thumb drawn whole: its outline, a white inner
// rim and, in the right cap's first column (which the body's last column
// lies under), a soft shade. Blue and olive thumbs start with their white
// rim in the first row, silver ones with the outline, as their bodies do.
Canvas drawThumbEnds(const SchemeArt& s, const Paint& track) {
    constexpr int kW = 12;
    Canvas c(kW, kCapH);
    c.fill([&](int x, int y) { return track(x, y + 1); });
    const double top = s.outlinedTop ? 0.0 : -1.0;
    c.layer(roundRect(0, top, kW, kCapH, 2.6), flat(s.outline[0]));
    c.layer(roundRect(1, top + 1, kW - 1, kCapH - 1, 1.6), flat(kWhite));
    c.layer(roundRect(2, top + 2, kW - 2, kCapH - 2, 0.8), flat(scale(s.face[0][1], 0.93)));
    return c;
}
Canvas columns(Canvas& from, int x0, int w) {
    Canvas c(w, from.h);
    for (int y = 0; y < from.h; ++y)
        for (int x = 0; x < w; ++x) c.at(x, y) = from.at(x0 + x, y);
    return c;
}

// ----------------------------------------------------------------- output ---

struct Art {
    int id;
    std::string macro, file;
    Canvas image;
};

std::string lower(std::string s) {
    for (char& ch : s) ch = char(std::tolower(static_cast<unsigned char>(ch)));
    return s;
}

std::vector<Art> allArt() {
    std::vector<Art> art;
    // The button's faces; their ids are ours (the scroll bar's are given).
    const char* looks[] = {"NORMAL", "HIGHLIGHT", "PRESSED", "SELECTED", "HIGHLIGHTSELECT", "DISABLE"};
    for (int i = 0; i < 6; ++i)
        art.push_back({9401 + i, std::string("IDB_BUTTON_") + looks[i], "", drawButton(Look(i))});

    const char* states[] = {"NORMAL", "HOT", "PRESSED"};
    for (int s = 0; s < 3; ++s) {
        const SchemeArt& scheme = kSchemes[size_t(s)];
        const Paint track = trackPaint(s == 2, false);
        const std::string prefix = std::string("IDB_SB_") + scheme.name + "_";
        for (int side = 0; side < 2; ++side)
            for (int st = 0; st < 3; ++st)
                art.push_back({9301 + 8 * s + 3 * side + st, prefix + (side ? "RIGHT_" : "LEFT_") + states[st], "",
                               drawArrow(side == 0, scheme.face[size_t(st)], scheme.outline[size_t(st)], scheme.glyph,
                                         track, st == 2)});
        Canvas ends = drawThumbEnds(scheme, track);
        art.push_back({9307 + 8 * s, prefix + "THUMB_RIGHT_CAP", "", columns(ends, ends.w - 3, 3)});
        art.push_back({9308 + 8 * s, prefix + "THUMB_LEFT_CAP", "", columns(ends, 0, 2)});
    }
    // Shared by every scheme: the disabled arrows on the plain track.
    const std::array<Rgb, 3> offFace = {rgb(246, 245, 240), rgb(240, 239, 233), rgb(232, 231, 224)};
    const Paint plainTrack = trackPaint(false, false);
    art.push_back({9262, "IDB_SB_LEFT_DISABLED", "",
                   drawArrow(true, offFace, rgb(214, 212, 201), rgb(201, 199, 186), plainTrack, false)});
    art.push_back({9263, "IDB_SB_RIGHT_DISABLED", "",
                   drawArrow(false, offFace, rgb(214, 212, 201), rgb(201, 199, 186), plainTrack, false)});
    const char* tracks[] = {"IDB_SB_TRACK", "IDB_SB_TRACK_SILVER", "IDB_SB_TRACK_PRESSED",
                            "IDB_SB_TRACK_PRESSED_SILVER"};
    for (int t = 0; t < 4; ++t) {
        Canvas tile(1, kTrackH);
        tile.fill(trackPaint(t % 2 == 1, t >= 2));
        art.push_back({9266 + t, tracks[t], "", tile});
    }
    for (Art& a : art) a.file = lower(a.macro.substr(4)) + ".bmp";  // IDB_SB_TRACK -> sb_track.bmp
    std::sort(art.begin(), art.end(), [](const Art& a, const Art& b) { return a.id < b.id; });
    return art;
}

const char* kGenerated = "Generated by tools/datagen/make_control_art.cpp; do not edit.";

std::string idsHeader(const std::vector<Art>& art) {
    std::string s = std::string("// The skinned controls' bitmap resource ids. ") + kGenerated +
                    "\n// Only #defines: the resource compiler reads this file too.\n"
                    "// 9262-9324: the XP scroll bar's pieces; 9401-9406: the Command button's faces.\n"
                    "#ifndef LUMORA_CONTROLS_ART_IDS_H\n#define LUMORA_CONTROLS_ART_IDS_H\n\n";
    for (const Art& a : art) s += "#define " + a.macro + " " + std::to_string(a.id) + "\n";
    return s + "\n#endif\n";
}

std::string filesHeader(const std::vector<Art>& art) {
    std::string s = std::string("// Every bitmap of the skinned controls: resource id, file in controls/art, ") +
                    "size.\n// " + kGenerated +
                    "\n#pragma once\n\n#include \"controls/art/art_ids.h\"\n\nnamespace lumora {\n\n"
                    "struct ArtFile {\n    int id;\n    const char* file;\n    int width, height;\n};\n\n"
                    "inline constexpr ArtFile kArtFiles[] = {\n";
    for (const Art& a : art)
        s += "    {" + a.macro + ", \"" + a.file + "\", " + std::to_string(a.image.w) + ", " +
             std::to_string(a.image.h) + "},\n";
    return s + "};\n\n}  // namespace lumora\n";
}

std::string resourceScript(const std::vector<Art>& art) {
    std::string s = std::string("// The skinned controls' bitmaps as resources. ") + kGenerated +
                    "\n// The file names are relative to this folder (controls/art).\n#include \"art_ids.h\"\n\n";
    for (const Art& a : art) s += a.macro + " BITMAP \"" + a.file + "\"\n";
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_control_art OUTPUT_DIR\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    std::vector<Art> art = allArt();
    bool ok = writeText(kTool, dir + "art_ids.h", idsHeader(art)) && writeText(kTool, dir + "art_files.h", filesHeader(art)) &&
              writeText(kTool, dir + "control_art.rc", resourceScript(art));
    for (Art& a : art) ok = ok && writeFile(kTool, dir + a.file, bmpFile(a.image));
    return ok ? 0 : 1;
}
