// Makes the front end's icon, frontend/win32/lumora_scr.ico: one 32 x 32
// image in 256 colours (header, 256-entry palette, 8-bit colour bits,
// transparency mask) of a firework bursting over a round patch of night
// sky, with a rising trail and a few stars; the corners are transparent.
// The same image is the program's icon and the notification-area icon.
//
//   g++ -std=c++20 -O2 tools/datagen/make_tray_icon.cpp -o make_tray_icon
//   ./make_tray_icon frontend/win32/lumora_scr.ico
//
// The output is committed; this tool documents how it was made. The picture
// is drawn as light added to a dark sky in floating point, then each pixel
// takes the nearest palette colour. No randomness: the stars sit at fixed
// places.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSize = 32;
constexpr double kPi = 3.14159265358979323846;

struct Rgb {
    double r = 0, g = 0, b = 0;
};

// The palette: the 16 standard colours in the system's 4-bit order, a
// 6 x 6 x 6 colour cube, then 24 greys: a general palette, so the picture
// is quantised rather than painted in hand-picked colours.
std::array<std::array<uint8_t, 3>, 256> makePalette() {
    std::array<std::array<uint8_t, 3>, 256> p{};
    const uint8_t standard[16][3] = {
        {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
        {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
        {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
    };
    for (int i = 0; i < 16; ++i) p[i] = {standard[i][0], standard[i][1], standard[i][2]};
    const uint8_t level[6] = {0, 51, 102, 153, 204, 255};
    int i = 16;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) p[i++] = {level[r], level[g], level[b]};
    for (int k = 0; k < 24; ++k) {
        const auto v = static_cast<uint8_t>(8 + 10 * k);
        p[i++] = {v, v, v};
    }
    return p;
}

// A soft round spot of light.
void addSpot(std::vector<Rgb>& light, double cx, double cy, double radius, Rgb colour) {
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double f = std::exp(-(dx * dx + dy * dy) / (radius * radius));
            Rgb& l = light[static_cast<std::size_t>(y * kSize + x)];
            l.r += colour.r * f;
            l.g += colour.g * f;
            l.b += colour.b * f;
        }
}

Rgb mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
        return 2;
    }
    const auto palette = makePalette();
    const double centre = kSize / 2.0, skyRadius = 15.6;

    // Sky: deep blue, with a black hill line along the bottom.
    std::vector<Rgb> light(kSize * kSize);
    std::vector<bool> opaque(kSize * kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double dx = x + 0.5 - centre, dy = y + 0.5 - centre;
            const std::size_t i = static_cast<std::size_t>(y * kSize + x);
            opaque[i] = dx * dx + dy * dy <= skyRadius * skyRadius;
            const double hill = 27.0 + 1.5 * std::cos((x + 0.5 - 10.0) / 7.0);
            light[i] = y + 0.5 > hill ? Rgb{0.0, 0.0, 0.0} : Rgb{0.0, 0.0, 0.2};
        }

    // The burst: twelve rays of sparks from a white-gold core through orange
    // to red tips, and a shorter inner ring of green sparks between them.
    const double bx = 16.0, by = 12.5;
    for (int ray = 0; ray < 12; ++ray) {
        const double angle = 2 * kPi * ray / 12 + 0.13;
        for (int step = 1; step <= 5; ++step) {
            const double r = 2.0 * step;
            const double t = (step - 1) / 4.0;
            const Rgb colour = t < 0.5 ? mix({1.0, 0.95, 0.6}, {1.0, 0.6, 0.1}, t * 2) : mix({1.0, 0.6, 0.1}, {0.9, 0.1, 0.1}, (t - 0.5) * 2);
            const double fade = 1.0 - 0.06 * step;
            addSpot(light, bx + r * std::cos(angle), by + r * std::sin(angle), 0.85,
                    {colour.r * fade, colour.g * fade, colour.b * fade});
        }
    }
    for (int ray = 0; ray < 12; ++ray) {
        const double angle = 2 * kPi * (ray + 0.5) / 12 + 0.13;
        addSpot(light, bx + 5.0 * std::cos(angle), by + 5.0 * std::sin(angle), 0.7, {0.2, 0.9, 0.35});
    }
    addSpot(light, bx, by, 2.2, {1.0, 1.0, 0.85});

    // The rising trail below the burst, brightest near its head.
    for (int k = 0; k < 7; ++k) {
        const double y = 27.0 - 1.6 * k;
        const double bright = 0.25 + 0.07 * k;
        addSpot(light, 16.0 + 0.25 * std::sin(k * 1.3), y, 0.6, {bright, bright * 0.85, bright * 0.5});
    }

    // A few stars away from the burst.
    const int stars[][2] = {{5, 8}, {8, 22}, {25, 23}, {27, 9}, {4, 16}, {12, 3}};
    for (const auto& s : stars) {
        Rgb& l = light[static_cast<std::size_t>(s[1] * kSize + s[0])];
        l.r += 0.7;
        l.g += 0.7;
        l.b += 0.75;
    }

    // Quantise to the nearest palette colour.
    std::vector<uint8_t> index(kSize * kSize, 0);
    for (std::size_t i = 0; i < index.size(); ++i) {
        if (!opaque[i]) continue;
        const double r = std::fmin(light[i].r, 1.0) * 255, g = std::fmin(light[i].g, 1.0) * 255,
                     b = std::fmin(light[i].b, 1.0) * 255;
        double best = 1e30;
        for (int c = 0; c < 256; ++c) {
            const double dr = r - palette[c][0], dg = g - palette[c][1], db = b - palette[c][2];
            const double d = 2 * dr * dr + 4 * dg * dg + 3 * db * db;  // the eye weighs green most
            if (d < best) {
                best = d;
                index[i] = static_cast<uint8_t>(c);
            }
        }
    }

    // The file: icon header, one directory entry, then the image as a
    // bottom-up DIB of twice the height (colour rows, then mask rows).
    std::vector<uint8_t> out;
    auto u8 = [&](unsigned v) { out.push_back(static_cast<uint8_t>(v)); };
    auto u16 = [&](unsigned v) { u8(v & 0xFF); u8((v >> 8) & 0xFF); };
    auto u32 = [&](uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
    constexpr uint32_t kHeaderBytes = 40, kPaletteBytes = 256 * 4, kColourBytes = kSize * kSize,
                       kMaskBytes = kSize * 4;
    constexpr uint32_t kImageBytes = kHeaderBytes + kPaletteBytes + kColourBytes + kMaskBytes;
    u16(0); u16(1); u16(1);                           // reserved, type icon, one image
    u8(kSize); u8(kSize); u8(0); u8(0);               // 32 x 32, 0 = 256 colours, reserved
    u16(1); u16(8); u32(kImageBytes); u32(6 + 16);    // planes, bits, size, offset
    u32(kHeaderBytes); u32(kSize); u32(kSize * 2);    // BITMAPINFOHEADER
    u16(1); u16(8); u32(0); u32(kColourBytes + kMaskBytes); u32(0); u32(0); u32(256); u32(0);
    for (const auto& c : palette) { u8(c[2]); u8(c[1]); u8(c[0]); u8(0); }  // RGBQUAD is blue first
    for (int y = kSize - 1; y >= 0; --y)
        for (int x = 0; x < kSize; ++x) u8(index[static_cast<std::size_t>(y * kSize + x)]);
    for (int y = kSize - 1; y >= 0; --y) {
        uint32_t bits = 0;  // 1 = transparent; the first pixel is the top bit
        for (int x = 0; x < kSize; ++x)
            if (!opaque[static_cast<std::size_t>(y * kSize + x)]) bits |= 0x80000000u >> x;
        u8(bits >> 24); u8((bits >> 16) & 0xFF); u8((bits >> 8) & 0xFF); u8(bits & 0xFF);
    }

    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %zu bytes\n", argv[1], out.size());
    return 0;
}
