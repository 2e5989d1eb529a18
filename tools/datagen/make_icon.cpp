// Makes the renderer's icon, renderer/win32/lumora.ico: one 32 x 32 image
// in the 16 standard colours (a 744-byte image: header, palette, colour
// bits, transparency mask) of a firework bursting over a round patch of
// night sky, the corners transparent.
//
//   g++ -std=c++20 -O2 tools/datagen/make_icon.cpp -o make_icon && ./make_icon renderer/win32/lumora.ico
//
// The output is committed; this tool documents how it was made. Only whole
// pixels are decided here: no randomness, and the rounding happens on sums
// of exactly representable values where it matters.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSize = 32;

// The 16 standard colours, as the system's 4-bit palette orders them.
enum Colour : uint8_t {
    Black, Maroon, Green, Olive, Navy, Purple, Teal, Silver,
    Gray, Red, Lime, Yellow, Blue, Fuchsia, Aqua, White,
};
constexpr std::array<std::array<uint8_t, 3>, 16> kPalette = {{
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
    {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};

struct Image {
    std::array<std::array<uint8_t, kSize>, kSize> colour{};  // [y][x], y down
    std::array<std::array<bool, kSize>, kSize> opaque{};
    void put(int x, int y, uint8_t c) {
        if (x >= 0 && x < kSize && y >= 0 && y < kSize && opaque[y][x]) colour[y][x] = c;
    }
};

Image draw() {
    Image img;
    // The sky: a disc filling the icon, the corners left transparent.
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double dx = x + 0.5 - 16.0, dy = y + 0.5 - 16.0;
            if (dx * dx + dy * dy <= 16.0 * 16.0) {
                img.opaque[y][x] = true;
                img.colour[y][x] = Navy;
            }
        }
    // A few fixed stars.
    const int stars[][2] = {{5, 9}, {25, 5}, {27, 20}, {8, 24}, {21, 27}, {12, 4}};
    for (const auto& s : stars) img.put(s[0], s[1], Silver);

    // The rising trail, fading towards the ground.
    for (int y = 16; y < 31; ++y) img.put(15 + (y % 3 == 0 ? 1 : 0), y, y < 21 ? Yellow : (y < 26 ? Olive : Gray));

    // Twelve rays: white at the heart, a bright colour, then its dark shade,
    // and a bright star at each tip.
    const uint8_t bright[] = {Red, Yellow, Fuchsia, Aqua, Lime, Yellow};
    const uint8_t dark[] = {Maroon, Olive, Purple, Teal, Green, Olive};
    const double cx = 15.5, cy = 13.0, pi = 3.14159265358979323846;
    for (int k = 0; k < 12; ++k) {
        const double a = (k * 30 + 15) * pi / 180.0;
        const uint8_t hi = bright[k % 6], lo = dark[k % 6];
        for (int step = 4; step <= 22; ++step) {  // half-pixel steps, 2 to 11 pixels out
            const double d = step * 0.5;
            const uint8_t c = d < 4.0 ? uint8_t{White} : (d < 8.0 ? hi : lo);
            img.put(static_cast<int>(std::floor(cx + std::cos(a) * d + 0.5)),
                    static_cast<int>(std::floor(cy + std::sin(a) * d + 0.5)), c);
        }
        img.put(static_cast<int>(std::floor(cx + std::cos(a) * 12.5 + 0.5)),
                static_cast<int>(std::floor(cy + std::sin(a) * 12.5 + 0.5)), hi);
    }
    for (int y = 12; y <= 14; ++y)
        for (int x = 15; x <= 16; ++x) img.put(x, y, White);
    return img;
}

void put16(std::vector<uint8_t>& out, unsigned v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& out, unsigned v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::vector<uint8_t> iconFile(const Image& img) {
    constexpr unsigned kColourBytes = kSize * kSize / 2;  // 4 bits a pixel, rows of 16 bytes
    constexpr unsigned kMaskBytes = kSize * 4;            // 1 bit a pixel, rows of 4 bytes
    constexpr unsigned kImageBytes = 40 + 16 * 4 + kColourBytes + kMaskBytes;
    static_assert(kImageBytes == 744);

    std::vector<uint8_t> out;
    // Directory: reserved, type 1 (icon), one image.
    put16(out, 0);
    put16(out, 1);
    put16(out, 1);
    // The entry: 32 x 32, 16 colours, 1 plane, 4 bits, size, offset.
    out.push_back(kSize);
    out.push_back(kSize);
    out.push_back(16);
    out.push_back(0);
    put16(out, 1);
    put16(out, 4);
    put32(out, kImageBytes);
    put32(out, 6 + 16);

    // The image: a bitmap header whose height counts the colour bits and
    // the mask together.
    put32(out, 40);
    put32(out, kSize);
    put32(out, kSize * 2);
    put16(out, 1);
    put16(out, 4);
    put32(out, 0);  // uncompressed
    put32(out, kColourBytes + kMaskBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 16);
    put32(out, 0);
    for (const auto& rgb : kPalette) {
        out.push_back(rgb[2]);
        out.push_back(rgb[1]);
        out.push_back(rgb[0]);
        out.push_back(0);
    }
    // Rows bottom-up; transparent pixels are black in the colour bits and
    // set in the mask.
    for (int y = kSize - 1; y >= 0; --y)
        for (int x = 0; x < kSize; x += 2) {
            const uint8_t a = img.opaque[y][x] ? img.colour[y][x] : 0;
            const uint8_t b = img.opaque[y][x + 1] ? img.colour[y][x + 1] : 0;
            out.push_back(static_cast<uint8_t>(a << 4 | b));
        }
    for (int y = kSize - 1; y >= 0; --y)
        for (int byte = 0; byte < 4; ++byte) {
            uint8_t bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (!img.opaque[y][byte * 8 + bit]) bits |= static_cast<uint8_t>(0x80 >> bit);
            out.push_back(bits);
        }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
        return 2;
    }
    const std::vector<uint8_t> bytes = iconFile(draw());
    FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
