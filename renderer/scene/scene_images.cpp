// Star field and horizon band images; see scene_images.h. The draws are made
// in the order written, each its own statement.
#include "renderer/scene/scene_images.h"

namespace lumora {

namespace {

constexpr int N = kSceneImageSize;

uint8_t* texel(std::vector<uint8_t>& image, int row, int column) {
    return &image[static_cast<std::size_t>(3 * (row * N + column))];
}

void placeStar(Rand15& rng, std::vector<uint8_t>& image) {
    const int row = 2 + rng.R(508);
    const int column = 2 + rng.R(508);
    int c[3];
    c[0] = 220 + rng.R(36);
    c[1] = 220 + rng.R(36);
    c[2] = 220 + rng.R(36);
    const int full = rng.R(3);  // 3 (only from 32767) changes no channel
    if (full < 3) c[full] = 255;
    uint8_t* centre = texel(image, row, column);
    for (int k = 0; k < 3; ++k) centre[k] = static_cast<uint8_t>(c[k]);

    uint8_t* orthogonal[4] = {texel(image, row - 1, column), texel(image, row + 1, column),
                              texel(image, row, column - 1), texel(image, row, column + 1)};
    const int shape = rng.R(6);
    if (shape <= 2) {
        // A small star: a dimmer centre and faint neighbours, each channel
        // divided by its own divisor.
        for (int k = 0; k < 3; ++k) centre[k] = static_cast<uint8_t>(c[k] >> 1);
        for (int k = 0; k < 3; ++k) {
            const int divisor = 3 + rng.R(6);
            for (uint8_t* t : orthogonal) t[k] = static_cast<uint8_t>(c[k] / divisor);
        }
    } else if (shape <= 4) {
        for (uint8_t* t : orthogonal)
            for (int k = 0; k < 3; ++k) t[k] = static_cast<uint8_t>(c[k] >> 1);
    } else if (shape == 5) {
        for (uint8_t* t : orthogonal)
            for (int k = 0; k < 3; ++k) t[k] = static_cast<uint8_t>(c[k] * 3 / 4);
        uint8_t* diagonal[4] = {texel(image, row - 1, column - 1), texel(image, row - 1, column + 1),
                                texel(image, row + 1, column - 1), texel(image, row + 1, column + 1)};
        for (uint8_t* t : diagonal)
            for (int k = 0; k < 3; ++k) t[k] = static_cast<uint8_t>(c[k] >> 2);
    }
}

}  // namespace

void displaceSkyline(Rand15& rng, std::array<int, 513>& heights, int lo, int hi) {
    const int a = hi - lo;
    if (a <= 1) return;
    const int mid = (lo + hi) / 2;
    heights[static_cast<std::size_t>(mid)] = (heights[static_cast<std::size_t>(lo)] + heights[static_cast<std::size_t>(hi)]) / 2;
    heights[static_cast<std::size_t>(mid)] += rng.next() * (a / 2) / 32767 - a / 4;
    if (heights[static_cast<std::size_t>(mid)] < 1) heights[static_cast<std::size_t>(mid)] = 1;
    displaceSkyline(rng, heights, lo, mid);
    displaceSkyline(rng, heights, mid, hi);
}

SceneImages buildSceneImages(Rand15& rng, const Settings& settings, const uint8_t* cloudImage) {
    SceneImages out;
    const std::size_t bytes = static_cast<std::size_t>(3 * N * N);

    if (settings.StarDensity != 0) {
        out.starField.assign(bytes, 0);
        // A hand-edited density beyond the 16-bit range the settings allow is
        // held there, so a huge value cannot stall the start of a show.
        const int64_t density = settings.StarDensity > 32767 ? 32767 : settings.StarDensity;
        const int64_t stars = density * 20;
        for (int64_t s = 0; s < stars; ++s) placeStar(rng, out.starField);
    }

    // About one run in four has no horizon band.
    out.panoramaEnabled = rng.R(4) != 0;
    if (!out.panoramaEnabled) return out;

    int red;
    if (rng.R(3) != 0) red = 60 + rng.R(42);
    else red = rng.R(102);
    const int green = red * rng.next() / 32767;
    int blue = 0;
    if (green < 50) {
        blue = 100 - red * rng.next() / 32767;
        if (blue < 0) blue = 0;  // it can reach -2, which as a byte would wrap to 254
    }
    out.panorama.resize(bytes);
    for (std::size_t i = 0; i < bytes; i += 3) {
        out.panorama[i] = static_cast<uint8_t>(red);
        out.panorama[i + 1] = static_cast<uint8_t>(green);
        out.panorama[i + 2] = static_cast<uint8_t>(blue);
    }

    // Mottling by the cloud image, about two runs in three.
    if (rng.R(3) != 0) {
        const int rowOffset = rng.R(512);
        const int columnOffset = rng.R(512);
        if (cloudImage) {
            for (int i = 0; i < N; ++i)
                for (int j = 0; j < N; ++j) {
                    const uint8_t* cloud = cloudImage + 2 * (((rowOffset + i) % N) * N + (columnOffset + j) % N);
                    const int L = cloud[0], A = cloud[1];
                    uint8_t* t = texel(out.panorama, i, j);
                    t[0] = static_cast<uint8_t>(t[0] * A / 256);
                    t[1] = static_cast<uint8_t>(t[1] * L * A / 65536);
                }
        }
    }

    out.heights[0] = out.heights[512] = 5 + rng.R(10);
    displaceSkyline(rng, out.heights, 0, 512);

    // The silhouette: black up to the skyline, then a three-texel soft edge.
    for (int i = 0; i < N; ++i) {
        const int h = out.heights[static_cast<std::size_t>(i)];
        for (int j = 0; j <= h && j < N; ++j) {
            uint8_t* t = texel(out.panorama, i, j);
            t[0] = t[1] = t[2] = 0;
        }
        for (int edge = 1; edge <= 3; ++edge) {
            const int j = h + edge;
            if (j < 0 || j >= N) continue;
            uint8_t* t = texel(out.panorama, i, j);
            for (int k = 0; k < 3; ++k) {
                if (edge == 1) t[k] = static_cast<uint8_t>(t[k] >> 2);
                else if (edge == 2) t[k] = static_cast<uint8_t>(t[k] >> 1);
                else t[k] = static_cast<uint8_t>(t[k] * 3 / 4);
            }
        }
    }
    return out;
}

}  // namespace lumora
