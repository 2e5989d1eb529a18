// Placing a sound; see placement.h.
#include "renderer/sound/placement.h"

#include <algorithm>
#include <cmath>

namespace lumora {

float airCutoffHz(double metres) {
    // A power law through 5 kHz at 100 m and 2 kHz at 300 m:
    // 5000 * (100 / d)^k with k = ln 2.5 / ln 3.
    const double k = std::log(2.5) / std::log(3.0);
    const double d = std::max(metres, 1.0);
    return static_cast<float>(std::min(16000.0, 5000.0 * std::pow(kReferenceMetres / d, k)));
}

Placement placeSound(const Vec3& at, const Vec3& eye, const Vec3& back) {
    Placement p;
    const double dx = static_cast<double>(at.x) - eye.x;
    const double dy = static_cast<double>(at.y) - eye.y;
    const double dz = static_cast<double>(at.z) - eye.z;
    const double units = std::sqrt(dx * dx + dy * dy + dz * dz);
    // Positions are finite in a sane show; a broken one is heard as far away
    // and straight ahead rather than poisoning the mix.
    if (!std::isfinite(units)) {
        p.distanceM = 1.0e6;
        p.delayS = p.distanceM / kSpeedOfSound;
        p.distanceGain = static_cast<float>(kReferenceMetres / p.distanceM);
        p.cutoffHz = airCutoffHz(p.distanceM);
        return p;
    }
    p.distanceM = units * kMetresPerUnit;
    p.delayS = p.distanceM / kSpeedOfSound;
    p.distanceGain = static_cast<float>(kReferenceMetres / std::max(p.distanceM, kNearestMetres));
    p.cutoffHz = airCutoffHz(p.distanceM);

    // right = look x up with look = -back and up = (0, 1, 0):
    // (-bx, -by, -bz) x (0, 1, 0) = (bz, 0, -bx).
    const double rx = back.z, rz = -back.x;
    const double rlen = std::sqrt(rx * rx + rz * rz);
    if (units > 0.0 && rlen > 1e-9) {
        const double side = (dx * rx + dz * rz) / (rlen * units);
        p.pan = static_cast<float>(std::clamp(side, -1.0, 1.0));
    }
    return p;
}

void panGains(float pan, float& left, float& right) {
    const double a = (std::clamp(static_cast<double>(pan), -1.0, 1.0) + 1.0) * 0.25 * 3.14159265358979323846;
    left = static_cast<float>(std::cos(a));
    right = static_cast<float>(std::sin(a));
}

}  // namespace lumora
