// The automatic camera; see camera.h. Each draw is its own statement: the
// order of draws fixes the camera's path for a seed.
#include "renderer/frame/camera.h"

#include <cmath>

namespace lumora {

namespace {
constexpr double kPiD = 3.14159265358979323846;
}

Mat4d Mat4d::multiply(const Mat4d& a, const Mat4d& b) {
    Mat4d r;
    for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row) {
            double s = 0.0;
            for (int k = 0; k < 4; ++k) s += a.m[k * 4 + row] * b.m[c * 4 + k];
            r.m[c * 4 + row] = s;
        }
    return r;
}

Mat4d Mat4d::rotation(double degrees, double x, double y, double z) {
    const double a = degrees * kPiD / 180.0;
    const double c = std::cos(a), s = std::sin(a), t = 1.0 - c;
    Mat4d r;
    r.m[0] = x * x * t + c;     r.m[4] = x * y * t - z * s; r.m[8] = x * z * t + y * s;
    r.m[1] = y * x * t + z * s; r.m[5] = y * y * t + c;     r.m[9] = y * z * t - x * s;
    r.m[2] = x * z * t - y * s; r.m[6] = y * z * t + x * s; r.m[10] = z * z * t + c;
    return r;
}

Mat4d Mat4d::translation(double x, double y, double z) {
    Mat4d r;
    r.m[12] = x; r.m[13] = y; r.m[14] = z;
    return r;
}

Mat4d Mat4d::perspective(double fovyDegrees, double aspect, double zNear, double zFar) {
    const double f = 1.0 / std::tan(fovyDegrees * kPiD / 360.0);
    Mat4d r;
    r.m[0] = f / aspect;
    r.m[5] = f;
    r.m[10] = (zFar + zNear) / (zNear - zFar);
    r.m[11] = -1.0;
    r.m[14] = 2.0 * zFar * zNear / (zNear - zFar);
    r.m[15] = 0.0;
    return r;
}

void Camera::startFirstGlide(Rand15& rng) {
    // From low above the ground 5000 to 6000 units out, to 400 units above
    // the launch field, looking at the point above it.
    const float toX = rng.U(-1500.0f, 1500.0f);
    const float toZ = rng.U(-1500.0f, 1500.0f);
    eyeTo.set(toX, 400.0f, toZ);
    const float fromX = rng.U(5000.0f, 6000.0f);
    const float fromZ = rng.U(-2000.0f, 2000.0f);
    eyeFrom.set(fromX, 5.0f, fromZ);
}

void Camera::glide(Rand15& rng, float dt) {
    glideElapsed = glideElapsed + dt;
    glideFraction = glideElapsed / glideDuration;
    if (glideFraction >= 1.0f) {
        glideDuration = rng.U(5.0f, 30.0f);
        glideElapsed = 0.0f;
        glideFraction = 0.0f;
        eyeFrom = eyeTo;
        eyeTo.x = rng.U(-3000.0f, 3000.0f);
        eyeTo.y = rng.U(5.0f, 1705.0f);
        targetFrom = targetTo;
        eyeTo.z = rng.U(-3000.0f, 3000.0f);
        const float tx = rng.U(-500.0f, 500.0f);
        const float ty = rng.U(200.0f, 1300.0f);
        const float tz = rng.U(-500.0f, 500.0f);
        targetTo.set(tx, ty, tz);
        if (rng.R(3) == 0) {
            // A cut: about one glide in three starts from a fresh place.
            const float ex = rng.U(-3000.0f, 3000.0f);
            const float ey = rng.U(5.0f, 1705.0f);
            const float ez = rng.U(-3000.0f, 3000.0f);
            eyeFrom.set(ex, ey, ez);
            const float fx = rng.U(-500.0f, 500.0f);
            const float fy = rng.U(200.0f, 1300.0f);
            const float fz = rng.U(-500.0f, 500.0f);
            targetFrom.set(fx, fy, fz);
        }
    }
    const float s = (1.0f - fcos(glideFraction * kPi)) * 0.5f;
    eye = eyeFrom + (eyeTo - eyeFrom) * s;
    target = targetFrom + (targetTo - targetFrom) * s;
}

void Camera::computeView() {
    const float dx = target.x - eye.x, dy = target.y - eye.y, dz = target.z - eye.z;
    pitch = fatan2(dy, std::sqrt(dz * dz + dx * dx)) * kDegreesPerRadian;
    yaw = fatan2(eye.x - target.x, eye.z - target.z) * kDegreesPerRadian;

    const double yawR = static_cast<double>(yaw) * kPiD / 180.0;
    const double pitchR = static_cast<double>(pitch) * kPiD / 180.0;
    back.set(static_cast<float>(std::sin(yawR) * std::cos(pitchR)), static_cast<float>(-std::sin(pitchR)),
             static_cast<float>(std::cos(yawR) * std::cos(pitchR)));

    viewMatrix = Mat4d::multiply(
        Mat4d::multiply(Mat4d::rotation(-pitch, 1, 0, 0), Mat4d::rotation(-yaw, 0, 1, 0)),
        Mat4d::translation(-eye.x, -eye.y, -eye.z));
    billboardMatrix = Mat4d::multiply(Mat4d::rotation(yaw, 0, 1, 0), Mat4d::rotation(pitch, 1, 0, 0));
}

void Camera::computeProjection(float aspect) {
    projectionMatrix = Mat4d::perspective(60.0, static_cast<double>(aspect), 1.0, 40000.0);
}

}  // namespace lumora
