// Makes the image data shipped inside the renderer, once, from a fixed seed:
//   smoke_masks.bin  five 64 x 64 coverage masks (soft, lumpy puffs, zero
//                    borders, means about 72..88, maxima 254..255)
//   cloud_image.bin  512 x 512 luminance-alpha broken cloud cover (luminance
//                    156..255, about a quarter of texels opaque, a few per
//                    cent clear), tileable because the texture repeats
//
//   make-data OUTPUT_DIR
//
// The output is committed; this tool documents how it was made and can
// remake it byte for byte.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// A small generator of its own so the data never depends on a C library.
struct Lcg {
    uint64_t s;
    double next() {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(s >> 11) * (1.0 / 9007199254740992.0);
    }
};

// Periodic value noise on a lattice of `cells` cells across `size` texels.
struct ValueNoise {
    int cells;
    std::vector<double> lattice;
    ValueNoise(int c, Lcg& rng) : cells(c), lattice(static_cast<std::size_t>(c * c)) {
        for (double& v : lattice) v = rng.next();
    }
    double at(double x, double y) const {  // x, y in cells, wrapping
        const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
        const double fx = x - x0, fy = y - y0;
        auto L = [&](int i, int j) {
            i = ((i % cells) + cells) % cells;
            j = ((j % cells) + cells) % cells;
            return lattice[static_cast<std::size_t>(j * cells + i)];
        };
        const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
        const double a = L(x0, y0) + (L(x0 + 1, y0) - L(x0, y0)) * sx;
        const double b = L(x0, y0 + 1) + (L(x0 + 1, y0 + 1) - L(x0, y0 + 1)) * sx;
        return a + (b - a) * sy;
    }
};

// Fractal sum of periodic octaves over a square of `size` texels.
std::vector<double> fbm(int size, int baseCells, int octaves, Lcg& rng) {
    std::vector<ValueNoise> layers;
    for (int o = 0; o < octaves; ++o) layers.emplace_back(baseCells << o, rng);
    std::vector<double> out(static_cast<std::size_t>(size * size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double v = 0, amp = 1, total = 0;
            for (int o = 0; o < octaves; ++o) {
                const double scale = static_cast<double>(layers[static_cast<std::size_t>(o)].cells) / size;
                v += amp * layers[static_cast<std::size_t>(o)].at(x * scale, y * scale);
                total += amp;
                amp *= 0.5;
            }
            out[static_cast<std::size_t>(y * size + x)] = v / total;
        }
    return out;
}

double quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(q * static_cast<double>(v.size() - 1))];
}

std::vector<uint8_t> smokeMask(Lcg& rng) {
    const int n = 64;
    // Lumpy blobs inside a soft round window that is zero at the border.
    std::vector<double> field(n * n, 0.0);
    const int blobs = 9 + static_cast<int>(rng.next() * 6);
    for (int b = 0; b < blobs; ++b) {
        const double angle = rng.next() * 6.283185307179586, dist = rng.next() * 11.0;
        const double cx = 31.5 + std::cos(angle) * dist, cy = 31.5 + std::sin(angle) * dist;
        const double radius = 8.0 + rng.next() * 6.0, weight = 0.4 + rng.next() * 0.8;
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                const double d2 = ((x - cx) * (x - cx) + (y - cy) * (y - cy)) / (radius * radius);
                field[static_cast<std::size_t>(y * n + x)] += weight * std::exp(-d2);
            }
    }
    const std::vector<double> rough = fbm(n, 4, 4, rng);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const double r = std::sqrt((x - 31.5) * (x - 31.5) + (y - 31.5) * (y - 31.5)) / 31.0;
            const double edge = std::clamp((1.0 - r) / 0.3, 0.0, 1.0);
            const double window = edge * edge * (3 - 2 * edge);
            double& f = field[static_cast<std::size_t>(y * n + x)];
            const double lump = rough[static_cast<std::size_t>(y * n + x)];
            f = f * window * (0.15 + 1.7 * lump * lump);
        }
    // The peak becomes 255 and a power curve brings the mean near 80, so the
    // puff stays soft and lumpy instead of a clipped disc.
    double peak = 0;
    for (double f : field) peak = std::max(peak, f);
    // Cutting off the faint skirt leaves a ragged outline.
    for (double& f : field) f = std::max(0.0, f - 0.03 * peak) / 0.97;
    auto render = [&](double gamma) {
        std::vector<double> v(field.size());
        for (std::size_t i = 0; i < v.size(); ++i) v[i] = std::pow(field[i] / peak, gamma);
        // Two box blurs soften the outline; the peak is then brought back to 255.
        for (int pass = 0; pass < 2; ++pass) {
            std::vector<double> b(v.size(), 0.0);
            for (int y = 2; y < n - 2; ++y)
                for (int x = 2; x < n - 2; ++x) {
                    double sum = 0;
                    for (int dy = -2; dy <= 2; ++dy)
                        for (int dx = -2; dx <= 2; ++dx) sum += v[static_cast<std::size_t>((y + dy) * n + x + dx)];
                    b[static_cast<std::size_t>(y * n + x)] = sum / 25.0;
                }
            v.swap(b);
        }
        double top = 0;
        for (double x : v) top = std::max(top, x);
        std::vector<uint8_t> out(static_cast<std::size_t>(n * n));
        for (std::size_t i = 0; i < out.size(); ++i) out[i] = static_cast<uint8_t>(255.0 * v[i] / top + 0.5);
        for (int i = 0; i < n; ++i) {
            out[static_cast<std::size_t>(i)] = out[static_cast<std::size_t>((n - 1) * n + i)] = 0;
            out[static_cast<std::size_t>(i * n)] = out[static_cast<std::size_t>(i * n + n - 1)] = 0;
        }
        return out;
    };
    auto mean = [](const std::vector<uint8_t>& v) {
        double s = 0;
        for (uint8_t b : v) s += b;
        return s / static_cast<double>(v.size());
    };
    double lo = 0.05, hi = 8.0;
    for (int it = 0; it < 60; ++it) {
        const double mid = 0.5 * (lo + hi);
        (mean(render(mid)) > 80.0 ? lo : hi) = mid;
    }
    return render(0.5 * (lo + hi));
}

std::vector<uint8_t> cloudImage(Lcg& rng) {
    const int n = 512;
    const std::vector<double> cover = fbm(n, 4, 6, rng);
    const std::vector<double> shading = fbm(n, 8, 4, rng);
    // A few per cent fully clear, about a quarter fully opaque.
    const double clear = quantile(cover, 0.04), opaque = quantile(cover, 0.74);
    const double dark = quantile(shading, 0.01), light = quantile(shading, 0.99);
    std::vector<uint8_t> out(static_cast<std::size_t>(n * n * 2));
    for (std::size_t i = 0; i < cover.size(); ++i) {
        const double a = std::clamp((cover[i] - clear) / (opaque - clear), 0.0, 1.0);
        // Thick cloud is whiter; thin parts and folds are shaded grey.
        const double l = std::clamp(0.35 * a + 0.65 * (shading[i] - dark) / (light - dark), 0.0, 1.0);
        out[2 * i] = static_cast<uint8_t>(156.0 + l * 99.0 + 0.5);
        out[2 * i + 1] = static_cast<uint8_t>(a * 255.0 + 0.5);
    }
    return out;
}

bool write(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-data OUTPUT_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    Lcg rng{20261207};
    std::vector<uint8_t> smoke;
    for (int k = 0; k < 5; ++k) {
        const std::vector<uint8_t> m = smokeMask(rng);
        smoke.insert(smoke.end(), m.begin(), m.end());
    }
    const std::vector<uint8_t> cloud = cloudImage(rng);
    if (!write(dir + "/smoke_masks.bin", smoke) || !write(dir + "/cloud_image.bin", cloud)) {
        std::fprintf(stderr, "make-data: cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
