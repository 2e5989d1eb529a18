// The automatic camera: eased glides between random viewpoints, the view
// angles derived from eye and target, and the projection, view and billboard
// matrices computed on the CPU (the GL layer loads them as they are).
#pragma once

#include "renderer/sim/rng.h"
#include "renderer/sim/vec.h"

namespace lumora {

// Sixteen doubles, column-major, as OpenGL holds its matrices.
struct Mat4d {
    double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    static Mat4d multiply(const Mat4d& a, const Mat4d& b);  // a * b
    static Mat4d rotation(double degrees, double x, double y, double z);  // as glRotate, unit axis
    static Mat4d translation(double x, double y, double z);
    static Mat4d perspective(double fovyDegrees, double aspect, double zNear, double zFar);  // as gluPerspective
};

class Camera {
public:
    // The first frame's draws: where the first glide ends, then where it starts.
    void startFirstGlide(Rand15& rng);
    // Advances the glide by dt, starting a new one (with its draws) when due.
    void glide(Rand15& rng, float dt);
    // yaw and pitch from eye and target, the backwards unit vector and the
    // view and billboard matrices.
    void computeView();
    void computeProjection(float aspect);

    Vec3 eye{0.0f, 0.0f, 0.0f};
    Vec3 target{0.0f, 1200.0f, 0.0f};
    Vec3 eyeFrom, eyeTo;
    Vec3 targetFrom{0.0f, 1200.0f, 0.0f};
    Vec3 targetTo{0.0f, 1200.0f, 0.0f};
    float glideDuration = 20.0f;
    float glideElapsed = 0.0f;
    float glideFraction = 0.0f;
    float yaw = 0.0f;    // degrees, from +z towards +x of (eye - target)
    float pitch = 0.0f;  // degrees, up positive

    Vec3 back;  // the billboard's third column, pointing backwards out of the view
    Mat4d projectionMatrix, viewMatrix, billboardMatrix;
};

}  // namespace lumora
