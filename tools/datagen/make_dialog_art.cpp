// Makes the settings dialog's artwork in frontend/art:
//   dialog_background.bmp   394 x 480: a night sky around one flat panel
//   heading_plate.bmp       95 x 22: a gold plate for a group's heading, on black
//   heading_plate_mask.bmp  95 x 22: its mask, black on the plate, white around it
//   radio_off.bmp           12 x 12: an empty ring on the panel
//   radio_on.bmp            12 x 12: the ring with a glowing spark in it
//   banner.gif              120 x 50: a small firework over the name, looping
//   dialog_art_ids.h        the resource ids, #defines only (the resource compiler reads it)
//   dialog_art.rc           a resource script binding each id to its file
//
//   cmake --build build/native --target make-dialog-art
//   (or g++ -std=c++20 -O2 -I. tools/datagen/make_dialog_art.cpp controls/gif/gif_writer.cpp
//       controls/gif/lzw_decoder.cpp -o make-dialog-art)
//   make-dialog-art frontend/art
//
// The output is committed; this tool documents how it was made. Everything is
// drawn in floating point on a canvas: shapes as layers, each pixel covered
// in proportion to the area the shape takes of it (8 x 8 samples), and light
// (stars, sparks, glows) added on top; colours are rounded once at the end.
// The stars and the sparks' twinkle come from a fixed-seed generator of our
// own, so the output is the same on every run.
//
// Everything the program draws over (frames, labels, plates, radio pictures,
// scroll bars, combo boxes, the banner) sits on the panel, which is one flat
// colour, kPanel; the plate's edges, the radio pictures and the banner are
// blended against it. Only the margins around the panel carry the sky.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "controls/gif/gif_file.h"
#include "controls/gif/gif_writer.h"
#include "tools/datagen/art_canvas.h"

namespace {

using namespace art;
constexpr const char* kTool = "make_dialog_art";

constexpr double kPi = 3.14159265358979323846;

// The panel that the dialog's controls sit on: #162040.
constexpr Rgb kPanel = rgb(22, 32, 64);

double smoothstep(double e0, double e1, double x) {
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

Shape disc(double cx, double cy, double r) {
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}
Shape ring(double cx, double cy, double inner, double outer) {
    return [=](double x, double y) {
        const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        return d2 <= outer * outer && d2 >= inner * inner;
    };
}

// A small generator of our own (64-bit LCG, high bits), so that the stars
// and the twinkle do not depend on the standard library's distributions.
struct Random {
    uint64_t state;
    explicit Random(uint64_t seed) : state(seed) {}
    double next() {  // [0, 1)
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return double(state >> 11) / double(uint64_t(1) << 53);
    }
};
// A fixed value in [0, 1) for a pair of numbers.
double hash01(int a, int b) {
    uint64_t v = uint64_t(a) * 0x9E3779B97F4A7C15ull ^ (uint64_t(b) + 0x632BE59BD9B4E019ull) * 0xBF58476D1CE4E5B9ull;
    v ^= v >> 31;
    v *= 0x94D049BB133111EBull;
    v ^= v >> 29;
    return double(v >> 11) / double(uint64_t(1) << 53);
}

// ------------------------------------------------------------ background ---

constexpr int kBackW = 394, kBackH = 480;
constexpr int kPanelX0 = 20, kPanelY0 = 24, kPanelX1 = 372, kPanelY1 = 432;  // inclusive

bool inPanel(double x, double y, double margin) {
    return x >= kPanelX0 - margin && x < kPanelX1 + 1 + margin && y >= kPanelY0 - margin && y < kPanelY1 + 1 + margin;
}

// The two ridges of the horizon: the far one, lit from behind, and the near
// one in front of it. Both stay below the buttons' top (y 440) everywhere and
// mostly below their bottom (y 461) where the buttons are.
double farRidge(double x) {
    return 461 - 4.5 * std::sin(x * 0.019 + 0.6) - 3.0 * std::sin(x * 0.052 + 2.3) - 1.2 * std::sin(x * 0.137 + 1.1);
}
double nearRidge(double x) {
    return 469 - 5.0 * std::sin(x * 0.014 + 2.6) - 2.2 * std::sin(x * 0.047 + 0.4) - 0.8 * std::sin(x * 0.171);
}

// A far-off burst: thin rays drooping a little at their ends, each with a
// soft head, and a faint glow at the heart.
void distantBurst(Canvas& c, double cx, double cy, double radius, int rays, Rgb colour, double strength,
                  double turn) {
    c.glow(cx, cy, radius * 0.45, scale(colour, 0.10 * strength));
    for (int i = 0; i < rays; ++i) {
        const double a = turn + 2 * kPi * i / rays + 0.18 * (hash01(i, 7) - 0.5);
        const double r = radius * (0.82 + 0.18 * hash01(i, 3));
        const double ex = cx + std::cos(a) * r, ey = cy + std::sin(a) * r + 0.12 * r;
        const double sx = cx + std::cos(a) * r * 0.3, sy = cy + std::sin(a) * r * 0.3;
        c.streak(sx, sy, ex, ey, 0.32, scale(colour, 0.0), scale(colour, 0.55 * strength));
        c.glow(ex, ey, 0.5, scale(colour, 0.35 * strength));
    }
    c.glow(cx, cy, 0.7, scale(kWhite, 0.25 * strength));
}

Canvas drawBackground() {
    Canvas c(kBackW, kBackH);
    // The sky: deep midnight at the top, a little lighter towards the hills.
    c.fill(rows({rgb(7, 11, 34), rgb(9, 14, 42), rgb(13, 20, 52), rgb(22, 31, 70)}, 0, kBackH - 1));

    // A warm glow above the horizon, strongest where a town might lie.
    for (int y = 400; y < kBackH; ++y)
        for (int x = 0; x < kBackW; ++x) {
            const double above = farRidge(x + 0.5) - (y + 0.5);
            if (above < -2) continue;
            const double town = 0.75 + 0.25 * std::sin(x * 0.011 + 0.9);
            const double k = 0.5 * town * std::exp(-std::max(above, 0.0) / 9.0);
            c.at(x, y) = mix(c.at(x, y), rgb(168, 90, 64), k);
        }

    // Stars of varied brightness, a few with a faint cross of light; fewer
    // and dimmer down in the glow.
    Random random(0x4C756D6F7261ull);
    for (int i = 0; i < 560; ++i) {
        const double x = random.next() * kBackW, y = random.next() * kBackH;
        const double u = random.next(), tint = random.next(), size = random.next();
        if (inPanel(x, y, 2.5) || y > farRidge(x) - 4) continue;
        const double bright = (0.22 + 0.78 * u * u * u) * (1 - 0.7 * smoothstep(420, 458, y));
        const Rgb colour = tint < 0.55 ? rgb(205, 220, 255) : tint < 0.85 ? rgb(255, 255, 255) : rgb(255, 228, 196);
        c.glow(x, y, 0.42 + 0.25 * size * bright, scale(colour, 1.1 * bright));
        if (bright > 0.8) {
            const Rgb ray = scale(colour, 0.35 * bright);
            c.streak(x - 2.6, y, x, y, 0.28, kBlack, ray);
            c.streak(x + 2.6, y, x, y, 0.28, kBlack, ray);
            c.streak(x, y - 2.6, x, y, 0.28, kBlack, ray);
            c.streak(x, y + 2.6, x, y, 0.28, kBlack, ray);
        }
    }

    // Fireworks far away: one in the bottom left, two tiny ones at the sides.
    distantBurst(c, 60, 446, 9.0, 18, rgb(255, 150, 170), 1.0, 0.1);
    distantBurst(c, 383.5, 118, 5.0, 12, rgb(150, 220, 255), 0.8, 0.3);
    distantBurst(c, 9.5, 296, 4.5, 11, rgb(255, 214, 130), 0.8, 0.0);

    // The hills: the far ridge a dusky blue, the near one almost black.
    c.layer([](double x, double y) { return y >= farRidge(x); }, rows({rgb(24, 27, 54), rgb(14, 17, 38)}, 448, 479));
    c.layer([](double x, double y) { return y >= nearRidge(x); }, rows({rgb(9, 11, 26), rgb(5, 6, 16)}, 458, 479));

    // A soft halo just outside the panel, so that it reads as lifted off the sky.
    for (int y = 0; y < kBackH; ++y)
        for (int x = 0; x < kBackW; ++x) {
            const double dx = std::max({double(kPanelX0) - (x + 0.5), (x + 0.5) - (kPanelX1 + 1), 0.0});
            const double dy = std::max({double(kPanelY0) - (y + 0.5), (y + 0.5) - (kPanelY1 + 1), 0.0});
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d > 0) c.at(x, y) = mix(c.at(x, y), rgb(70, 96, 168), 0.22 * std::exp(-(d - 0.5) / 1.6));
        }

    // The panel itself, exactly flat.
    for (int y = kPanelY0; y <= kPanelY1; ++y)
        for (int x = kPanelX0; x <= kPanelX1; ++x) c.at(x, y) = kPanel;
    return c;
}

// ---------------------------------------------------------- heading plate ---

constexpr int kPlateW = 95, kPlateH = 22;

Shape plateShape() { return roundRect(0, 0, kPlateW, kPlateH, 5.5); }

// The plate as it looks on the panel: a bronze rim, a gold face from light
// at the top to amber at the bottom, a highlight under the top edge and a
// faint shade above the bottom one. The middle stays light for dark text.
Canvas drawPlateOnPanel() {
    Canvas c(kPlateW, kPlateH);
    c.fill(flat(kPanel));
    c.layer(plateShape(), rows({rgb(190, 134, 52), rgb(150, 94, 28), rgb(118, 70, 18)}, 0, kPlateH - 1));
    c.layer(roundRect(1, 1, kPlateW - 1, kPlateH - 1, 4.5),
            rows({rgb(255, 240, 184), rgb(251, 222, 140), rgb(244, 200, 104), rgb(224, 156, 56)}, 1, kPlateH - 2));
    c.layer(roundRect(4, 1.9, kPlateW - 4, 3.1, 0.6), flat(kWhite), 0.55);
    c.layer(roundRect(5, kPlateH - 3.0, kPlateW - 5, kPlateH - 2.0, 0.5), flat(rgb(176, 104, 24)), 0.35);
    return c;
}

// The picture and the mask for drawing it with SRCAND then SRCPAINT: every
// pixel the plate touches is plate (black in the mask, its colour blended
// with the panel in the picture); the rest is white in the mask and black in
// the picture.
void drawPlate(Canvas& picture, Canvas& mask) {
    const Canvas onPanel = drawPlateOnPanel();
    const std::vector<double> share = onPanel.coverage(plateShape());
    for (int y = 0; y < kPlateH; ++y)
        for (int x = 0; x < kPlateW; ++x) {
            const bool plate = share[size_t(y * kPlateW + x)] > 0;
            picture.at(x, y) = plate ? onPanel.at(x, y) : kBlack;
            mask.at(x, y) = plate ? kBlack : kWhite;
        }
}

// ------------------------------------------------------------------ radio ---

constexpr int kRadio = 12;

// A silver-blue ring, lighter at the top; `on` adds a warm spark with a
// little glow inside it.
Canvas drawRadio(bool on) {
    Canvas c(kRadio, kRadio);
    c.fill(flat(kPanel));
    const double mid = kRadio / 2.0;
    c.layer(ring(mid, mid, 4.15, 5.65), rows({rgb(226, 234, 252), rgb(200, 212, 240), rgb(160, 176, 214)}, 0, 11));
    if (on) {
        Canvas light(kRadio, kRadio);
        light.glow(mid, mid, 1.5, rgb(255, 120, 20));
        const Shape inner = disc(mid, mid, 4.0);
        const std::vector<double> share = c.coverage(inner);
        for (size_t i = 0; i < c.px.size(); ++i) c.px[i] = add(c.px[i], scale(light.px[i], 0.55 * share[i]));
        c.layer(disc(mid, mid, 2.35), flat(rgb(255, 186, 64)));
        c.layer(disc(mid, mid, 1.25), flat(rgb(255, 246, 214)));
    }
    return c;
}

// ----------------------------------------------------------------- banner ---

constexpr int kBannerW = 120, kBannerH = 50;

// The name, as strokes of a geometric sans-serif: polylines of stroke
// centres, arcs made of short segments. Outer cap height 18 px, x-height
// 13 px, baseline at y 46.
using Polyline = std::vector<std::array<double, 2>>;

constexpr double kStrokeHalf = 1.3;
constexpr double kBase = 46 - kStrokeHalf, kXTop = 33 + kStrokeHalf, kCapTop = 28 + kStrokeHalf;

// From angle a0 to a1 (degrees; 0 is right, 90 down) on an ellipse.
void arc(Polyline& line, double cx, double cy, double rx, double ry, double a0, double a1) {
    const int steps = std::max(4, int(std::abs(a1 - a0) / 6));
    for (int i = 0; i <= steps; ++i) {
        const double a = (a0 + (a1 - a0) * i / steps) * kPi / 180;
        line.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
}

std::vector<Polyline> nameStrokes() {
    std::vector<Polyline> all;
    const double gap = 2.7 + 2 * kStrokeHalf;  // between stroke centres of neighbours
    const double bowlY = (kXTop + kBase) / 2, bowlR = (kBase - kXTop) / 2;
    double x = 0;
    // L
    all.push_back({{x, kCapTop}, {x, kBase}, {x + 8.6, kBase}});
    x += 8.6 + gap;
    // u: a stem curving into a bowl, and the right stem
    {
        const double r = 4.6;
        Polyline line = {{x, kXTop}};
        arc(line, x + r, kBase - r, r, r, 180, 0);
        all.push_back(line);
        all.push_back({{x + 2 * r, kXTop}, {x + 2 * r, kBase}});
        x += 2 * r + gap;
    }
    // m: a stem and two arches
    {
        const double r = 3.7;
        all.push_back({{x, kXTop}, {x, kBase}});
        for (int k = 0; k < 2; ++k) {
            Polyline line;
            arc(line, x + r + 2 * r * k, kXTop + r, r, r, 180, 360);
            line.push_back({x + 2 * r * (k + 1), kBase});
            all.push_back(line);
        }
        x += 4 * r + gap - 0.3;
    }
    // o
    {
        Polyline line;
        arc(line, x + bowlR, bowlY, bowlR, bowlR, 0, 360);
        all.push_back(line);
        x += 2 * bowlR + gap - 0.4;
    }
    // r: a stem and a shoulder
    {
        all.push_back({{x, kXTop}, {x, kBase}});
        Polyline line;
        arc(line, x + 4.4, kXTop + 4.4, 4.4, 4.4, 180, 285);
        all.push_back(line);
        x += 5.6 + gap - 0.6;
    }
    // a: a round bowl closed by its stem
    {
        Polyline line;
        arc(line, x + bowlR, bowlY, bowlR, bowlR, 0, 360);
        all.push_back(line);
        all.push_back({{x + 2 * bowlR, kXTop}, {x + 2 * bowlR, kBase}});
        x += 2 * bowlR;
    }
    // Centre the word.
    const double shift = (kBannerW - x) / 2;
    for (Polyline& line : all)
        for (auto& p : line) p[0] += shift;
    return all;
}

// Within the stroke's half width of any of the polylines, moved by (dx, dy).
Shape strokes(const std::vector<Polyline>& lines, double dx, double dy) {
    return [lines, dx, dy](double x, double y) {
        x -= dx;
        y -= dy;
        for (const Polyline& line : lines)
            for (size_t i = 0; i + 1 < line.size(); ++i) {
                const double ax = line[i][0], ay = line[i][1], bx = line[i + 1][0], by = line[i + 1][1];
                if (x < std::min(ax, bx) - kStrokeHalf || x > std::max(ax, bx) + kStrokeHalf ||
                    y < std::min(ay, by) - kStrokeHalf || y > std::max(ay, by) + kStrokeHalf)
                    continue;
                const double ex = bx - ax, ey = by - ay, len2 = std::max(ex * ex + ey * ey, 1e-9);
                const double t = std::clamp(((x - ax) * ex + (y - ay) * ey) / len2, 0.0, 1.0);
                const double qx = ax + t * ex - x, qy = ay + t * ey - y;
                if (qx * qx + qy * qy <= kStrokeHalf * kStrokeHalf) return true;
            }
        return false;
    };
}

// The name on the panel: a soft dark shadow, then the gold letters.
Canvas drawName() {
    Canvas c(kBannerW, kBannerH);
    c.fill(flat(kPanel));
    const std::vector<Polyline> lines = nameStrokes();
    c.layer(strokes(lines, 0.9, 1.1), flat(rgb(8, 11, 28)), 0.75);
    c.layer(strokes(lines, 0, 0), rows({rgb(255, 240, 182), rgb(252, 208, 108), rgb(232, 150, 44)}, 28, 46));
    return c;
}

// One frame of the show: the shell's height while it rises (or none), the
// time since the burst in seconds (or none), and how long the frame stays.
struct Moment {
    double shellY;  // < 0: no shell
    double age;     // < 0: no burst
    int delay;      // milliseconds
};
constexpr std::array<Moment, 13> kMoments = {{
    {-1, -1, 480},                                          // the pause: the name alone
    {30.0, -1, 80}, {23.0, -1, 80}, {17.5, -1, 80}, {14.8, -1, 70},  // the shell rises, slowing
    {-1, 0.03, 60}, {-1, 0.09, 80}, {-1, 0.17, 90},                   // the burst
    {-1, 0.27, 100}, {-1, 0.39, 110}, {-1, 0.53, 120},               // the sparks fall and fade
    {-1, 0.69, 130}, {-1, 0.87, 150},
}};

constexpr double kBurstX = 60, kBurstY = 14, kBurstRadius = 13.5;

// Where a spark of the burst is `age` seconds after it: thrown outwards,
// slowing, then falling.
std::array<double, 2> sparkAt(double dx, double dy, double reach, double age) {
    const double r = reach * (1 - std::exp(-age / 0.11));
    return {kBurstX + dx * r, kBurstY + dy * r + 11 * age * age};
}

void drawShell(Canvas& c, double y) {
    const double x = kBurstX + 0.35 * std::sin(y * 0.7);
    c.streak(kBurstX, y + 6.5, x, y, 0.45, rgb(60, 30, 10), rgb(255, 190, 110));
    for (int k = 0; k < 3; ++k)
        c.glow(kBurstX + 0.9 * (hash01(k, int(y * 10)) - 0.5) * 2, y + 2.5 + 1.6 * k, 0.4,
               rgb(255, 170, 80 - 20 * k));
    c.glow(x, y, 0.6, rgb(255, 236, 190));
    c.glow(x, y, 1.6, rgb(90, 60, 30));
}

// A chrysanthemum: two rings of rose-pink sparks, hot white at first, seen
// a little from the side (the inner ring is the sphere's far and near
// sides), and a small ring of gold ones; each leaves a thin trail.
void drawBurst(Canvas& c, double age, int frame) {
    const double fade = age < 0.3 ? 1.0 : std::exp(-(age - 0.3) / 0.28);
    const double flash = std::exp(-age / 0.07);
    // The flash and the light it throws on the panel, gone before the edges.
    c.glow(kBurstX, kBurstY, 3.2, scale(rgb(255, 200, 150), 0.55 * flash + 0.08 * fade));
    c.glow(kBurstX, kBurstY, 1.1, scale(rgb(255, 250, 235), 1.2 * flash));

    struct Ring {
        int count;
        double reach, turn, bright;
        Rgb hot, hue, trail;
    };
    const Ring rings[] = {
        {22, kBurstRadius, 0.0, 1.0, rgb(255, 246, 236), rgb(255, 110, 160), rgb(230, 60, 130)},
        {11, kBurstRadius * 0.68, 0.14, 0.8, rgb(255, 246, 236), rgb(255, 110, 160), rgb(210, 50, 120)},
        {9, kBurstRadius * 0.4, 0.35, 0.9, rgb(255, 250, 220), rgb(255, 200, 84), rgb(200, 120, 30)},
    };
    int id = 0;
    for (const Ring& ring : rings)
        for (int i = 0; i < ring.count; ++i, ++id) {
            const double a = 2 * kPi * (i + ring.turn + 0.25 * (hash01(id, 11) - 0.5)) / ring.count;
            const double reach = ring.reach * (0.93 + 0.07 * hash01(id, 5));
            const double dx = std::cos(a), dy = std::sin(a);
            const double twinkle = age > 0.45 ? 0.3 + 0.7 * hash01(id, frame) : 1.0;
            const double k = fade * ring.bright * twinkle;
            const Rgb head = scale(mix(ring.hot, ring.hue, smoothstep(0.0, 0.32, age)), k);
            const auto now = sparkAt(dx, dy, reach, age);
            const auto before = sparkAt(dx, dy, reach, std::max(0.0, age - 0.16));
            c.streak(before[0], before[1], now[0], now[1], 0.36, kBlack, scale(ring.trail, 0.8 * k));
            c.glow(now[0], now[1], 0.5, head);
        }
}

struct Frame {
    Canvas picture;
    int delay;
};

std::vector<Frame> drawBanner() {
    const Canvas name = drawName();
    std::vector<Frame> frames;
    for (size_t i = 0; i < kMoments.size(); ++i) {
        const Moment& m = kMoments[i];
        Canvas c = name;
        if (m.shellY >= 0) drawShell(c, m.shellY);
        if (m.age >= 0) drawBurst(c, m.age, int(i));
        frames.push_back({c, m.delay});
    }
    return frames;
}

// --------------------------------------------------------------- palette ---

uint32_t packed(const Rgb& c) { return uint32_t(channel(c.r)) << 16 | uint32_t(channel(c.g)) << 8 | channel(c.b); }

// Differences weighted roughly as the eye sees them.
double distance(const std::array<double, 3>& a, const std::array<double, 3>& b) {
    const double dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
    return 2 * dr * dr + 4 * dg * dg + 3 * db * db;
}

// One palette for every frame: the panel first and exactly, then up to 255
// colours found by median cut over every other colour used (weighted by the
// square root of its count, so that small bright sparks get their share
// beside the name's many edge pixels) and refined by a few rounds of
// k-means.
std::vector<uint32_t> buildPalette(const std::vector<Frame>& frames) {
    const uint32_t panel = packed(kPanel);
    std::map<uint32_t, int> counts;
    for (const Frame& f : frames)
        for (const Rgb& p : f.picture.px)
            if (const uint32_t c = packed(p); c != panel) ++counts[c];
    struct Entry {
        std::array<double, 3> c;
        double weight;
    };
    std::vector<Entry> entries;
    for (const auto& [c, n] : counts)
        entries.push_back({{double(c >> 16), double((c >> 8) & 255), double(c & 255)}, std::sqrt(double(n))});

    std::vector<uint32_t> palette = {panel};
    if (entries.size() <= 255) {
        for (const auto& [c, n] : counts) palette.push_back(c);
        return palette;
    }
    // Median cut: split the box with the largest weighted spread along its
    // widest channel at the weighted median.
    struct Box {
        size_t begin, end;
        double spread;
        int axis;
    };
    auto measure = [&](size_t begin, size_t end) {
        Box box{begin, end, 0, 0};
        double best = -1;
        for (int a = 0; a < 3; ++a) {
            double w = 0, sum = 0, sum2 = 0;
            for (size_t i = begin; i < end; ++i) {
                w += entries[i].weight;
                sum += entries[i].weight * entries[i].c[size_t(a)];
                sum2 += entries[i].weight * entries[i].c[size_t(a)] * entries[i].c[size_t(a)];
            }
            const double spread = sum2 - sum * sum / w;
            const double eye = a == 1 ? 4 : a == 0 ? 2 : 3;
            if (spread * eye > best) best = spread * eye, box.axis = a;
        }
        box.spread = end - begin > 1 ? best : 0;
        return box;
    };
    std::vector<Box> boxes = {measure(0, entries.size())};
    while (boxes.size() < 255) {
        auto widest = std::max_element(boxes.begin(), boxes.end(),
                                       [](const Box& a, const Box& b) { return a.spread < b.spread; });
        if (widest->spread <= 0) break;
        const Box box = *widest;
        const size_t axis = size_t(box.axis);
        std::stable_sort(entries.begin() + ptrdiff_t(box.begin), entries.begin() + ptrdiff_t(box.end),
                         [axis](const Entry& a, const Entry& b) { return a.c[axis] < b.c[axis]; });
        double total = 0;
        for (size_t i = box.begin; i < box.end; ++i) total += entries[i].weight;
        double run = 0;
        size_t cut = box.begin + 1;
        for (size_t i = box.begin; i + 1 < box.end; ++i) {
            run += entries[i].weight;
            cut = i + 1;
            if (run >= total / 2) break;
        }
        *widest = measure(box.begin, cut);
        boxes.push_back(measure(cut, box.end));
    }
    std::vector<std::array<double, 3>> centres;
    for (const Box& box : boxes) {
        std::array<double, 3> sum{};
        double w = 0;
        for (size_t i = box.begin; i < box.end; ++i) {
            for (size_t a = 0; a < 3; ++a) sum[a] += entries[i].weight * entries[i].c[a];
            w += entries[i].weight;
        }
        centres.push_back({sum[0] / w, sum[1] / w, sum[2] / w});
    }
    // k-means rounds.
    for (int round = 0; round < 12; ++round) {
        std::vector<std::array<double, 4>> sums(centres.size());
        for (const Entry& e : entries) {
            size_t best = 0;
            for (size_t k = 1; k < centres.size(); ++k)
                if (distance(e.c, centres[k]) < distance(e.c, centres[best])) best = k;
            for (size_t a = 0; a < 3; ++a) sums[best][a] += e.weight * e.c[a];
            sums[best][3] += e.weight;
        }
        for (size_t k = 0; k < centres.size(); ++k)
            if (sums[k][3] > 0) centres[k] = {sums[k][0] / sums[k][3], sums[k][1] / sums[k][3], sums[k][2] / sums[k][3]};
    }
    std::vector<uint32_t> found;
    for (const auto& c : centres) found.push_back(packed(Rgb{c[0], c[1], c[2]}));
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    found.erase(std::remove(found.begin(), found.end(), panel), found.end());
    palette.insert(palette.end(), found.begin(), found.end());
    return palette;
}

lumora::GifFile bannerGif(const std::vector<Frame>& frames) {
    const std::vector<uint32_t> palette = buildPalette(frames);
    lumora::GifFile gif;
    gif.canvasWidth = kBannerW;
    gif.canvasHeight = kBannerH;
    gif.hasGlobalTable = true;
    gif.hasLoopCount = true;
    gif.loopCount = 0;
    lumora::GifPalette table;
    for (size_t i = 0; i < palette.size(); ++i) table.entries[i] = palette[i];
    table.count = 2;
    while (table.count < int(palette.size())) table.count *= 2;
    gif.palettes.push_back(table);

    std::map<uint32_t, uint8_t> nearest;
    auto indexOf = [&](uint32_t c) {
        if (auto it = nearest.find(c); it != nearest.end()) return it->second;
        const std::array<double, 3> v = {double(c >> 16), double((c >> 8) & 255), double(c & 255)};
        size_t best = 0;
        double bestDistance = 1e300;
        for (size_t k = 0; k < palette.size(); ++k) {
            const uint32_t p = palette[k];
            const double d = distance(v, {double(p >> 16), double((p >> 8) & 255), double(p & 255)});
            if (d < bestDistance) bestDistance = d, best = k;
        }
        return nearest[c] = uint8_t(best);
    };
    for (const Frame& f : frames) {
        lumora::GifFrame out;
        out.width = kBannerW;
        out.height = kBannerH;
        out.delay = f.delay;
        out.paletteId = 0;
        out.disposal = 1;  // each frame covers the whole canvas
        for (const Rgb& p : f.picture.px) out.indices.push_back(indexOf(packed(p)));
        out.decodedPixels = out.area();
        gif.frames.push_back(std::move(out));
    }
    return gif;
}

// ----------------------------------------------------------------- output ---

struct Resource {
    const char* macro;
    int id;
    const char* file;
};
constexpr Resource kResources[] = {
    {"IDB_DIALOG_BACKGROUND", 9501, "dialog_background.bmp"},
    {"IDB_HEADING_PLATE", 9502, "heading_plate.bmp"},
    {"IDB_HEADING_PLATE_MASK", 9503, "heading_plate_mask.bmp"},
    {"IDB_RADIO_OFF", 9504, "radio_off.bmp"},
    {"IDB_RADIO_ON", 9505, "radio_on.bmp"},
    {"IDR_BANNER_GIF", 9510, "banner.gif"},
};

const char* kGenerated = "Generated by tools/datagen/make_dialog_art.cpp; do not edit.";

std::string idsHeader() {
    std::string s = std::string("// The settings dialog's artwork resource ids. ") + kGenerated +
                    "\n// Only #defines: the resource compiler reads this file too.\n"
                    "#ifndef LUMORA_FRONTEND_ART_IDS_H\n#define LUMORA_FRONTEND_ART_IDS_H\n\n";
    for (const Resource& r : kResources) s += std::string("#define ") + r.macro + " " + std::to_string(r.id) + "\n";
    return s + "\n#endif\n";
}

std::string resourceScript() {
    std::string s = std::string("// The settings dialog's artwork as resources. ") + kGenerated +
                    "\n// The file names are relative to this folder (frontend/art).\n#include \"dialog_art_ids.h\"\n\n";
    for (const Resource& r : kResources)
        s += std::string(r.macro) + (r.macro[2] == 'B' ? " BITMAP \"" : " RCDATA \"") + r.file + "\"\n";
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_dialog_art OUTPUT_DIR\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    Canvas plate(kPlateW, kPlateH), mask(kPlateW, kPlateH);
    drawPlate(plate, mask);
    bool ok = writeText(kTool, dir + "dialog_art_ids.h", idsHeader()) && writeText(kTool, dir + "dialog_art.rc", resourceScript());
    ok = ok && writeFile(kTool, dir + "dialog_background.bmp", bmpFile(drawBackground()));
    ok = ok && writeFile(kTool, dir + "heading_plate.bmp", bmpFile(plate));
    ok = ok && writeFile(kTool, dir + "heading_plate_mask.bmp", bmpFile(mask));
    ok = ok && writeFile(kTool, dir + "radio_off.bmp", bmpFile(drawRadio(false)));
    ok = ok && writeFile(kTool, dir + "radio_on.bmp", bmpFile(drawRadio(true)));
    ok = ok && writeFile(kTool, dir + "banner.gif", lumora::writeGif(bannerGif(drawBanner()), 0));
    return ok ? 0 : 1;
}
