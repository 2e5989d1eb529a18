// Lens-flare collection and edge attenuation; see flares.h.
#include "renderer/sim/flares.h"

#include <cmath>

namespace lumora {

bool projectToWindow(const Vec3& p, const Mat4d& view, const Mat4d& projection, const int viewport[4], double& winX,
                     double& winY) {
    const double in[4] = {p.x, p.y, p.z, 1.0};
    double eye[4], clip[4];
    for (int r = 0; r < 4; ++r)
        eye[r] = view.m[r] * in[0] + view.m[4 + r] * in[1] + view.m[8 + r] * in[2] + view.m[12 + r] * in[3];
    for (int r = 0; r < 4; ++r)
        clip[r] = projection.m[r] * eye[0] + projection.m[4 + r] * eye[1] + projection.m[8 + r] * eye[2] +
                  projection.m[12 + r] * eye[3];
    if (clip[3] == 0.0) return false;
    const double x = clip[0] / clip[3], y = clip[1] / clip[3];
    winX = viewport[0] + (1.0 + x) * viewport[2] / 2.0;
    winY = viewport[1] + (1.0 + y) * viewport[3] / 2.0;
    return true;
}

void collectFlares(const ParticlePool& pool, const FlareView& view, int lensFlareBrightness,
                   std::vector<FlareEntry>& out) {
    const Camera& cam = *view.camera;
    const Vec3 d = (cam.target - cam.eye).normalised();  // the viewing direction
    const float lfb = static_cast<float>(lensFlareBrightness);
    for (const ParticlePool::Node* n = pool.first(); !pool.atEnd(n) && n->particle.isLive(); n = n->next) {
        if (out.size() > kMaxFlares - 1) break;
        const Particle& p = n->particle;
        const bool flash = p.kind == Flash;
        const bool core = p.kind == RingCore || p.kind == ShockRing || p.kind == ColumnCore || p.kind == ColumnBurst;
        if (!flash && !core) continue;
        const Vec3 v = p.position - cam.eye;
        if (!(d.dot(v) > 1.0f)) continue;  // behind the eye or less than a unit ahead
        double winX, winY;
        if (!projectToWindow(p.position, cam.viewMatrix, cam.projectionMatrix, view.viewport, winX, winY)) continue;
        FlareEntry e;
        e.kind = flash ? 0.0f : 1.0f;
        e.x = static_cast<float>(winX) / static_cast<float>(view.viewportWidth) * view.aspect;
        e.y = static_cast<float>(winY) / static_cast<float>(view.viewportHeight);
        e.red = p.colour.x;
        e.green = p.colour.y;
        e.blue = p.colour.z;
        const float distance = v.length();
        if (flash) {
            e.intensity = lfb * p.brightness * std::max(0.0f, (10000.0f - distance) * 0.0001f) * 0.01f;
        } else {
            const float l = 1.0f - (p.brightness - 0.5f) * lfb * 0.02f;
            const float l2 = l * l;
            e.intensity = std::max(0.0f, (20000.0f - distance) * 0.00005f) * (1.0f - l2 * l2);
        }
        out.push_back(e);
    }
}

float edgeAttenuation(float x, float y, float aspect) {
    const float m = 0.1f * aspect;
    float factor = 1.0f;
    // Bottom, top, left, right; each distance beyond an edge scales the
    // intensity by (m - d) / m, and a margin or more beyond draws nothing.
    const float beyond[4] = {-y, y - 1.0f, -x, x - aspect};
    for (float d : beyond) {
        if (d > 0.0f) {
            if (d >= m) return 0.0f;
            factor = factor * ((m - d) / m);
        }
    }
    return factor;
}

}  // namespace lumora
