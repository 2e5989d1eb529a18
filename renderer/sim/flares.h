// Lens-flare collection: up to 110 entries from the bright records, in pool
// order (far to near, so the nearest are the ones left out), and the edge
// attenuation the overlays apply. Portable: projection is computed here as
// the fixed-function pipeline would, from the frame's matrices.
#pragma once

#include <vector>

#include "renderer/frame/camera.h"
#include "renderer/sim/pool.h"

namespace lumora {

struct FlareEntry {
    float kind;  // 0.0 for a Flash (the ghost chain), 1.0 for a core or ring (the streak)
    float x, y;  // 0..aspect from the left, 0..1 from the bottom
    float red, green, blue;
    float intensity;
};

constexpr std::size_t kMaxFlares = 110;

struct FlareView {
    const Camera* camera;
    int viewport[4];
    int viewportWidth, viewportHeight;
    float aspect;
};

// Window coordinates of a world point, as the fixed-function projection
// gives them; false when the point projects to w = 0.
bool projectToWindow(const Vec3& p, const Mat4d& view, const Mat4d& projection, const int viewport[4], double& winX,
                     double& winY);

void collectFlares(const ParticlePool& pool, const FlareView& view, int lensFlareBrightness,
                   std::vector<FlareEntry>& out);

// The factor an overlay's intensity is scaled by near the screen edges, in the
// overlay's own space (margin 0.1 x aspect; edges 0..aspect and 0..1); 0 when
// the position lies a margin or more outside.
float edgeAttenuation(float x, float y, float aspect);

}  // namespace lumora
