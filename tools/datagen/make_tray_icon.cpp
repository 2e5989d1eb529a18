// Makes the front end's icon, frontend/win32/lumora_scr.ico: the same
// picture at 16, 20, 24, 32 and 48 pixels (the notification area wants 16 at
// 100 % and 20 to 32 at higher scales; Explorer's lists 32 and 48), each in
// 256 colours (header, 256-entry palette, 8-bit colour bits, transparency
// mask): a firework bursting over a round patch of night sky, with a rising
// trail and a few stars; the corners are transparent. The same icon is the
// program's icon and the notification-area icon.
//
//   g++ -std=c++20 -O2 tools/datagen/make_tray_icon.cpp -o make_tray_icon
//   ./make_tray_icon frontend/win32/lumora_scr.ico
//
// The output is committed; this tool documents how it was made. The picture
// is laid out on a 32-unit square and drawn as light added to a dark sky in
// floating point (sampled 4 x 4 a pixel below 32 pixels, where the sparks are
// smaller than a pixel), then each pixel takes the nearest palette colour.
// No randomness: the stars sit at fixed places.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSizes[] = {16, 20, 24, 32, 48};
constexpr double kUnits = 32;  // the picture's layout square
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

struct Spot {
    double cx, cy, radius;  // in layout units
    Rgb colour;
};

Rgb mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

// The picture's soft spots of light, in layout units.
std::vector<Spot> spots() {
    std::vector<Spot> all;
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
            all.push_back({bx + r * std::cos(angle), by + r * std::sin(angle), 0.85,
                           {colour.r * fade, colour.g * fade, colour.b * fade}});
        }
    }
    for (int ray = 0; ray < 12; ++ray) {
        const double angle = 2 * kPi * (ray + 0.5) / 12 + 0.13;
        all.push_back({bx + 5.0 * std::cos(angle), by + 5.0 * std::sin(angle), 0.7, {0.2, 0.9, 0.35}});
    }
    all.push_back({bx, by, 2.2, {1.0, 1.0, 0.85}});
    // The rising trail below the burst, brightest near its head.
    for (int k = 0; k < 7; ++k) {
        const double y = 27.0 - 1.6 * k;
        const double bright = 0.25 + 0.07 * k;
        all.push_back({16.0 + 0.25 * std::sin(k * 1.3), y, 0.6, {bright, bright * 0.85, bright * 0.5}});
    }
    return all;
}

// The light at a point of the layout square: the sky (deep blue above a
// black hill line) and every spot.
Rgb lightAt(double u, double v, const std::vector<Spot>& all) {
    const double hill = 27.0 + 1.5 * std::cos((u - 10.0) / 7.0);
    Rgb l = v > hill ? Rgb{0.0, 0.0, 0.0} : Rgb{0.0, 0.0, 0.2};
    for (const Spot& s : all) {
        const double dx = u - s.cx, dy = v - s.cy;
        const double f = std::exp(-(dx * dx + dy * dy) / (s.radius * s.radius));
        l.r += s.colour.r * f;
        l.g += s.colour.g * f;
        l.b += s.colour.b * f;
    }
    return l;
}

struct Image {
    int size;
    std::vector<uint8_t> index;  // palette index per pixel, top row first
    std::vector<bool> opaque;
};

Image drawImage(int size, const std::array<std::array<uint8_t, 3>, 256>& palette) {
    const double scale = size / kUnits, centre = kUnits / 2, skyRadius = 15.6;
    const int samples = size < 32 ? 4 : 1;
    const std::vector<Spot> all = spots();
    Image image{size, std::vector<uint8_t>(size_t(size * size), 0), std::vector<bool>(size_t(size * size))};
    std::vector<Rgb> light(size_t(size * size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const size_t i = size_t(y * size + x);
            const double du = (x + 0.5) / scale - centre, dv = (y + 0.5) / scale - centre;
            image.opaque[i] = du * du + dv * dv <= skyRadius * skyRadius;
            Rgb sum;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx) {
                    const Rgb l = lightAt((x + (sx + 0.5) / samples) / scale, (y + (sy + 0.5) / samples) / scale, all);
                    sum = {sum.r + l.r, sum.g + l.g, sum.b + l.b};
                }
            const double n = samples * samples;
            light[i] = {sum.r / n, sum.g / n, sum.b / n};
        }
    // A few stars away from the burst, one pixel each.
    const int stars[][2] = {{5, 8}, {8, 22}, {25, 23}, {27, 9}, {4, 16}, {12, 3}};
    for (const auto& s : stars) {
        Rgb& l = light[size_t(int(s[1] * scale) * size + int(s[0] * scale))];
        l.r += 0.7;
        l.g += 0.7;
        l.b += 0.75;
    }
    // Quantise to the nearest palette colour.
    for (size_t i = 0; i < image.index.size(); ++i) {
        if (!image.opaque[i]) continue;
        const double r = std::fmin(light[i].r, 1.0) * 255, g = std::fmin(light[i].g, 1.0) * 255,
                     b = std::fmin(light[i].b, 1.0) * 255;
        double best = 1e30;
        for (int c = 0; c < 256; ++c) {
            const double dr = r - palette[c][0], dg = g - palette[c][1], db = b - palette[c][2];
            const double d = 2 * dr * dr + 4 * dg * dg + 3 * db * db;  // the eye weighs green most
            if (d < best) {
                best = d;
                image.index[i] = static_cast<uint8_t>(c);
            }
        }
    }
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
        return 2;
    }
    const auto palette = makePalette();
    std::vector<Image> images;
    for (const int size : kSizes) images.push_back(drawImage(size, palette));

    // The file: icon header, one directory entry an image, then each image
    // as a bottom-up DIB of twice the height (colour rows, then mask rows,
    // each row padded to 4 bytes).
    std::vector<uint8_t> out;
    auto u8 = [&](unsigned v) { out.push_back(static_cast<uint8_t>(v)); };
    auto u16 = [&](unsigned v) { u8(v & 0xFF); u8((v >> 8) & 0xFF); };
    auto u32 = [&](uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
    constexpr uint32_t kHeaderBytes = 40, kPaletteBytes = 256 * 4;
    auto colourRow = [](int size) { return uint32_t(size + 3) / 4 * 4; };
    auto maskRow = [](int size) { return uint32_t(size + 31) / 32 * 4; };
    auto imageBytes = [&](int size) {
        return kHeaderBytes + kPaletteBytes + (colourRow(size) + maskRow(size)) * uint32_t(size);
    };
    u16(0); u16(1); u16(static_cast<unsigned>(images.size()));  // reserved, type icon, count
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (const Image& im : images) {
        u8(im.size); u8(im.size); u8(0); u8(0);                     // size, 0 = 256 colours, reserved
        u16(1); u16(8); u32(imageBytes(im.size)); u32(offset);       // planes, bits, size, offset
        offset += imageBytes(im.size);
    }
    for (const Image& im : images) {
        const int n = im.size;
        u32(kHeaderBytes); u32(n); u32(n * 2);  // BITMAPINFOHEADER
        u16(1); u16(8); u32(0); u32((colourRow(n) + maskRow(n)) * n); u32(0); u32(0); u32(256); u32(0);
        for (const auto& c : palette) { u8(c[2]); u8(c[1]); u8(c[0]); u8(0); }  // RGBQUAD is blue first
        for (int y = n - 1; y >= 0; --y) {
            for (int x = 0; x < n; ++x) u8(im.index[static_cast<size_t>(y * n + x)]);
            for (uint32_t pad = uint32_t(n); pad < colourRow(n); ++pad) u8(0);
        }
        for (int y = n - 1; y >= 0; --y) {
            std::vector<uint8_t> bits(maskRow(n), 0);  // 1 = transparent; the first pixel is the top bit
            for (int x = 0; x < n; ++x)
                if (!im.opaque[static_cast<size_t>(y * n + x)]) bits[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
            for (const uint8_t b : bits) u8(b);
        }
    }

    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %zu bytes\n", argv[1], out.size());
    return 0;
}
