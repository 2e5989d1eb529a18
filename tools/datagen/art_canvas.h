// What the artwork generators (make_control_art, make_dialog_art) draw with
// and write through: colours in floating point, paints and shapes, a canvas
// whose layers cover each pixel in proportion to the area a shape takes of it
// (8 x 8 samples) and whose light is added on top, and the 24-bit .bmp writer.
// Colours are rounded once, when a file is written. Nothing here is random,
// so a generator's output is the same on every run.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace art {

struct Rgb {
    double r = 0, g = 0, b = 0;
};
constexpr Rgb rgb(int r, int g, int b) { return {double(r), double(g), double(b)}; }
inline Rgb mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
inline Rgb scale(Rgb a, double k) { return {a.r * k, a.g * k, a.b * k}; }
inline Rgb add(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
constexpr Rgb kWhite = rgb(255, 255, 255);
constexpr Rgb kBlack = rgb(0, 0, 0);

// A colour that depends on the pixel (gradients, rings).
using Paint = std::function<Rgb(int x, int y)>;
// Whether a point, in continuous coordinates, lies inside.
using Shape = std::function<bool(double, double)>;

inline Paint flat(Rgb c) {
    return [c](int, int) { return c; };
}
// Down a list of colour stops spread evenly from row `first` to row `last`.
inline Paint rows(std::vector<Rgb> stops, double first, double last) {
    return [stops, first, last](int, int y) {
        const double t = std::clamp((y - first) / std::max(last - first, 1.0), 0.0, 1.0) * double(stops.size() - 1);
        const size_t i = std::min(size_t(t), stops.size() - 2);
        return mix(stops[i], stops[i + 1], t - double(i));
    };
}

struct Canvas {
    int w, h;
    std::vector<Rgb> px;
    Canvas(int width, int height) : w(width), h(height), px(size_t(width * height)) {}
    Rgb& at(int x, int y) { return px[size_t(y * w + x)]; }
    const Rgb& at(int x, int y) const { return px[size_t(y * w + x)]; }
    void fill(const Paint& p) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) at(x, y) = p(x, y);
    }
    // The share of each pixel's 64 samples that fall inside.
    std::vector<double> coverage(const Shape& inside) const {
        std::vector<double> share(px.size());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int n = 0;
                for (int sy = 0; sy < 8; ++sy)
                    for (int sx = 0; sx < 8; ++sx) n += inside(x + (sx + 0.5) / 8, y + (sy + 0.5) / 8) ? 1 : 0;
                share[size_t(y * w + x)] = n / 64.0;
            }
        return share;
    }
    // Paints `p` wherever `inside` holds, each pixel by its covered share
    // (times `opacity`).
    void layer(const Shape& inside, const Paint& p, double opacity = 1.0) {
        const std::vector<double> share = coverage(inside);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (const double k = share[size_t(y * w + x)] * opacity; k > 0) at(x, y) = mix(at(x, y), p(x, y), k);
    }
    // Light: adds `c` scaled by a Gaussian of deviation `sigma` around
    // (cx, cy), averaged over 4 x 4 samples a pixel.
    void glow(double cx, double cy, double sigma, Rgb c) {
        const double reach = 3.5 * sigma + 1;
        for (int y = std::max(0, int(cy - reach)); y < std::min(h, int(cy + reach) + 1); ++y)
            for (int x = std::max(0, int(cx - reach)); x < std::min(w, int(cx + reach) + 1); ++x) {
                double k = 0;
                for (int sy = 0; sy < 4; ++sy)
                    for (int sx = 0; sx < 4; ++sx) {
                        const double dx = x + (sx + 0.5) / 4 - cx, dy = y + (sy + 0.5) / 4 - cy;
                        k += std::exp(-(dx * dx + dy * dy) / (2 * sigma * sigma));
                    }
                at(x, y) = add(at(x, y), scale(c, k / 16));
            }
    }
    // Light along the segment a-b, `half` either side of it: `from` at a,
    // turning into `to` at b; each pixel by the share of its samples within.
    void streak(double ax, double ay, double bx, double by, double half, Rgb from, Rgb to) {
        const double dx = bx - ax, dy = by - ay, len2 = std::max(dx * dx + dy * dy, 1e-9);
        const int x0 = std::max(0, int(std::floor(std::min(ax, bx) - half))),
                  x1 = std::min(w - 1, int(std::floor(std::max(ax, bx) + half)));
        const int y0 = std::max(0, int(std::floor(std::min(ay, by) - half))),
                  y1 = std::min(h - 1, int(std::floor(std::max(ay, by) + half)));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                Rgb sum;
                for (int sy = 0; sy < 8; ++sy)
                    for (int sx = 0; sx < 8; ++sx) {
                        const double qx = x + (sx + 0.5) / 8, qy = y + (sy + 0.5) / 8;
                        const double t = std::clamp(((qx - ax) * dx + (qy - ay) * dy) / len2, 0.0, 1.0);
                        const double ex = ax + t * dx - qx, ey = ay + t * dy - qy;
                        if (ex * ex + ey * ey <= half * half) sum = add(sum, mix(from, to, t));
                    }
                at(x, y) = add(at(x, y), scale(sum, 1.0 / 64));
            }
    }
};

// A rectangle with rounded corners of radius r.
inline Shape roundRect(double x0, double y0, double x1, double y1, double r) {
    return [=](double x, double y) {
        if (x < x0 || y < y0 || x > x1 || y > y1) return false;
        const double cx = std::clamp(x, x0 + r, x1 - r), cy = std::clamp(y, y0 + r, y1 - r);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
    };
}

// ----------------------------------------------------------------- output ---

// A colour channel rounded to the nearest byte.
inline uint8_t channel(double v) { return uint8_t(std::clamp(std::floor(v + 0.5), 0.0, 255.0)); }

inline void put16(std::vector<uint8_t>& out, unsigned v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
inline void put32(std::vector<uint8_t>& out, unsigned v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// A 24-bit bottom-up .bmp: file header, info header, rows padded to 4 bytes.
inline std::vector<uint8_t> bmpFile(const Canvas& c) {
    const unsigned stride = unsigned(c.w * 3 + 3) / 4 * 4, bits = stride * unsigned(c.h);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 14 + 40 + bits);
    put32(out, 0);
    put32(out, 14 + 40);
    put32(out, 40);
    put32(out, unsigned(c.w));
    put32(out, unsigned(c.h));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);  // uncompressed
    put32(out, bits);
    put32(out, 2835);  // 72 dots per inch
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = c.h - 1; y >= 0; --y) {
        for (int x = 0; x < c.w; ++x) {
            const Rgb p = c.at(x, y);
            out.push_back(channel(p.b));
            out.push_back(channel(p.g));
            out.push_back(channel(p.r));
        }
        for (unsigned pad = unsigned(c.w) * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

// Writes `bytes` to `path`; on failure says so on stderr, naming `tool`.
inline bool writeFile(const char* tool, const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    const bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f && std::fclose(f) != 0) return false;
    if (!ok) std::fprintf(stderr, "%s: cannot write %s\n", tool, path.c_str());
    return ok;
}

inline bool writeText(const char* tool, const std::string& path, const std::string& text) {
    return writeFile(tool, path, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace art
