// The scene's random content, made on the CPU at set-up: the star field image
// and the horizon band image with its hilly silhouette. The GL layer uploads
// them; this code only makes the pixels and the draws, in their fixed order.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/settings/settings.h"
#include "renderer/sim/rng.h"

namespace lumora {

constexpr int kSceneImageSize = 512;

struct SceneImages {
    // 512 x 512 RGB, byte offset 3 * (row * 512 + column); empty when absent.
    std::vector<uint8_t> starField;
    bool panoramaEnabled = false;
    std::vector<uint8_t> panorama;
    // Skyline heights along the band (only with the band).
    std::array<int, 513> heights{};
};

// The star field (when StarDensity is not 0), the band decision and, with the
// band, its colour, cloud mottling and silhouette. `cloudImage` is the stored
// 512 x 512 luminance-alpha cloud image (2 bytes a texel); when null the draws
// are made but the band is left unmottled.
SceneImages buildSceneImages(Rand15& rng, const Settings& settings, const uint8_t* cloudImage);

// Midpoint displacement of the skyline over (lo, hi), left span first.
void displaceSkyline(Rand15& rng, std::array<int, 513>& heights, int lo, int hi);

}  // namespace lumora
