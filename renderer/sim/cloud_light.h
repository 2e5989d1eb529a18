// What the simulation needs of the cloud ceiling: the positions of its 49 x 49
// vertices and a way to add light to them. The scene owns the grid; bursts
// light it through this interface, so the simulation never sees a texture.
#pragma once

#include "renderer/sim/vec.h"

namespace lumora {

class CloudLightTarget {
public:
    static constexpr int kGridSize = 49;  // vertices per side; (24, 24) is the centre

    virtual ~CloudLightTarget() = default;
    // Vertex (i, j): i follows x, j follows z; both 0..48.
    virtual Vec3 vertexPosition(int i, int j) const = 0;
    // Adds `light` to the vertex's lit colour, each component capped at 1.
    virtual void addLight(int i, int j, const Vec3& light) = 0;
};

}  // namespace lumora
