// The cloud ceiling's 49 x 49 vertex grid: positions, texture coordinates,
// shade and the colour that bursts light. A dome 2000 high over the middle and
// 0 at the corners, spanning +-20000 in x and z. The GL layer draws it; the
// simulation lights it through CloudLightTarget.
#pragma once

#include <vector>

#include "renderer/sim/cloud_light.h"

namespace lumora {

struct CloudVertex {
    float x, y, z;
    float s, t;
    float shade;
    float red, green, blue;
};

class CloudGrid : public CloudLightTarget {
public:
    static constexpr int N = kGridSize;

    explicit CloudGrid(int ambientBrightness);

    // Once a frame, before the simulation step: the phase moves with the
    // wind, every vertex takes its plain shade again and the texture slides.
    void cloudDrift(int windSpeed, float dt);

    // Vertex (a, b): a follows z, b follows x (the order the strips are drawn).
    const CloudVertex& at(int a, int b) const { return vertices_[static_cast<std::size_t>(a * N + b)]; }
    CloudVertex& at(int a, int b) { return vertices_[static_cast<std::size_t>(a * N + b)]; }
    float cloudPhase() const { return phase_; }

    Vec3 vertexPosition(int i, int j) const override;
    void addLight(int i, int j, const Vec3& light) override;

private:
    std::vector<CloudVertex> vertices_;
    float phase_ = 0.0f;
};

}  // namespace lumora
