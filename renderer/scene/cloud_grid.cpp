// The cloud ceiling grid; see cloud_grid.h.
#include "renderer/scene/cloud_grid.h"

#include <cmath>

namespace lumora {

CloudGrid::CloudGrid(int ambientBrightness) : vertices_(static_cast<std::size_t>(N * N)) {
    for (int a = 0; a < N; ++a)
        for (int b = 0; b < N; ++b) {
            CloudVertex& v = at(a, b);
            const float fa = static_cast<float>(a - 24) / 24.0f;
            const float fb = static_cast<float>(b - 24) / 24.0f;
            v.x = static_cast<float>(b - 24) * 833.3333f;
            v.z = static_cast<float>(a - 24) * 833.3333f;
            v.y = 2000.0f - 1000.0f * (fa * fa) - 1000.0f * (fb * fb);
            v.s = static_cast<float>(-b) * 0.125f;
            v.t = static_cast<float>(-a) * 0.125f;
            v.shade = (v.y - 1000.0f) * static_cast<float>(ambientBrightness) * 0.00001f;
            if (v.shade < 0.0f) v.shade = 0.0f;
            v.red = v.green = v.blue = v.shade;
        }
}

void CloudGrid::cloudDrift(int windSpeed, float dt) {
    phase_ = phase_ + static_cast<float>(windSpeed) * dt * 0.00015f;
    // Wrapped into 0..1 whichever way the wind blows (a negative speed would
    // otherwise grow the phase without bound).
    if (phase_ > 1.0f || phase_ < 0.0f) phase_ = phase_ - std::floor(phase_);
    if (!std::isfinite(phase_)) phase_ = 0.0f;
    for (int a = 0; a < N; ++a)
        for (int b = 0; b < N; ++b) {
            CloudVertex& v = at(a, b);
            v.red = v.green = v.blue = v.shade;
            v.s = phase_ - static_cast<float>(b) * 0.125f;
        }
}

Vec3 CloudGrid::vertexPosition(int i, int j) const {
    const CloudVertex& v = at(j, i);
    return {v.x, v.y, v.z};
}

void CloudGrid::addLight(int i, int j, const Vec3& light) {
    CloudVertex& v = at(j, i);
    v.red = v.red + light.x; if (v.red > 1.0f) v.red = 1.0f;
    v.green = v.green + light.y; if (v.green > 1.0f) v.green = 1.0f;
    v.blue = v.blue + light.z; if (v.blue > 1.0f) v.blue = 1.0f;
}

}  // namespace lumora
