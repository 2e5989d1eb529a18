// Light and blasts: bright records light the smoke around them (and flashes
// the cloud ceiling); the cores and the ring of the two special shells pull
// and push every other record near them.
//
// These passes visit every node of the pool, records allocated earlier in the
// same update pass included, and skip free records.
#include "renderer/sim/simulation.h"

namespace lumora {

namespace {
// The index range [24 - trunc(lo), 24 + trunc(hi)] held to the grid (-1..49),
// so rows or columns outside the grid are skipped, whatever the position.
int gridIndex(float offset, int sign) {
    const float v = 24.0f + static_cast<float>(sign) * static_cast<float>(truncToInt(offset));
    if (!(v >= -1.0f)) return -1;
    if (v > 49.0f) return 49;
    return static_cast<int>(v);
}
}  // namespace

void Simulation::illuminate(const Particle& s) {
    const Vec3 tint(0.6f * s.colour.x + 0.4f, 0.6f * s.colour.y + 0.4f, 0.6f * s.colour.z + 0.4f);
    const float R2 = s.kind == Flash ? 640000.0f : 40000.0f;
    const Vec3 at = s.position;
    const float brightness = s.brightness;

    // Only smoke takes light: visit the smoke index (exactly the live Smoke
    // records of the whole list) rather than every node.
    if (!inStep_) refreshSmokeIndex();
    for (Particle* mp : smokeIndex_) {
        Particle& m = *mp;
        if (!m.isLive() || m.kind != Smoke) continue;
        const float d2 = (at - m.position).lengthSquared();
        if (d2 < R2) {
            float a = (R2 - d2) / R2;
            a = a * a * brightness;
            Vec3& c = m.colour;
            c.x = c.x + a * tint.x; if (c.x > 1.0f) c.x = 1.0f;
            c.y = c.y + a * tint.y; if (c.y > 1.0f) c.y = 1.0f;
            c.z = c.z + a * tint.z; if (c.z > 1.0f) c.z = 1.0f;
        }
    }

    // A flash also lights the cloud vertices within 1600 units.
    if (s.kind != Flash || settings_.Weather == 0 || clouds_ == nullptr) return;
    const int iLo = gridIndex((1600.0f - at.x) * 0.0012f, -1);
    const int iHi = gridIndex((at.x + 1600.0f) * 0.0012f + 0.5f, +1);
    const int jLo = gridIndex((1600.0f - at.z) * 0.0012f, -1);
    const int jHi = gridIndex((at.z + 1600.0f) * 0.0012f + 0.5f, +1);
    const int n = CloudLightTarget::kGridSize;
    for (int i = iLo; i <= iHi; ++i) {
        if (i < 0 || i >= n) continue;
        for (int j = jLo; j <= jHi; ++j) {
            if (j < 0 || j >= n) continue;
            const float d2 = (at - clouds_->vertexPosition(i, j)).lengthSquared();
            if (d2 < 2560000.0f) {
                float a = (2560000.0f - d2) / 2560000.0f;
                a = a * a * brightness;
                clouds_->addLight(i, j, tint * a);
            }
        }
    }
}

void Simulation::ringCorePull(const Particle& c) {
    const float k = (1.0f - c.lifeFraction) * dt_ * 0.01f;
    const Vec3 at = c.position;
    pool_.forEachNodeLive([&](Particle& p) {
        if (p.kind == RingCore) return;
        const Vec3 v = at - p.position;
        const float d2 = v.lengthSquared();
        if (d2 < 250000.0f && d2 != 0.0f) p.velocity += v.normalised() * ((250000.0f - d2) * k);
    });
}

void Simulation::shockRingPush(const Particle& r) {
    const float k = (1.0f - r.lifeFraction) * dt_ * 0.002f;
    const Vec3 at = r.position;
    pool_.forEachNodeLive([&](Particle& p) {
        if (p.kind == ShockRing) return;
        const Vec3 v = p.position - at;
        const float d2 = v.lengthSquared();
        if (d2 < 640000.0f && d2 != 0.0f) p.velocity += v.normalised() * ((640000.0f - d2) * k);
    });
}

void Simulation::columnCorePull(const Particle& c) {
    const float k = (1.0f - c.lifeFraction) * dt_ * 0.002f;
    const Vec3 at = c.position;
    pool_.forEachNodeLive([&](Particle& p) {
        if (p.kind == ColumnCore) return;
        const Vec3 v = at - p.position;
        const float d2 = v.lengthSquared();
        if (d2 < 640000.0f && d2 != 0.0f) {
            // Drawn in towards the axis five times as strongly as pushed away
            // along the vertical.
            const Vec3 u = v.normalised();
            const float f = (640000.0f - d2) * k;
            p.velocity.x = p.velocity.x + f * u.x * 5.0f;
            p.velocity.y = p.velocity.y - f * u.y;
            p.velocity.z = p.velocity.z + f * u.z * 5.0f;
        }
    });
}

}  // namespace lumora
