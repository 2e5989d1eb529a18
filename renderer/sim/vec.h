// Vector, quaternion and matrix helpers of the simulation.
//
// All arithmetic is binary32, evaluated left to right as written (the build
// turns off contraction into fused multiply-adds). Trigonometry goes through
// double and is rounded back to float, so every C library gives the same show.
// Vec3 is a plain 12-byte value (no virtual members): particles are hashed and
// copied into vertex arrays as raw floats.
#pragma once

#include <cmath>

namespace lumora {

constexpr float kPi = 3.14159265f;
constexpr float kTwoPi = 6.2831855f;
constexpr float kDegreesPerRadian = 57.29578f;

inline float fsin(float x) { return static_cast<float>(std::sin(static_cast<double>(x))); }
inline float fcos(float x) { return static_cast<float>(std::cos(static_cast<double>(x))); }
inline float fatan2(float y, float x) {
    return static_cast<float>(std::atan2(static_cast<double>(y), static_cast<double>(x)));
}

struct Mat4;

struct Vec3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;

    Vec3() = default;
    Vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    void set(float x_, float y_, float z_) { x = x_; y = y_; z = z_; }

    Vec3 operator-(const Vec3& b) const { return {x - b.x, y - b.y, z - b.z}; }
    Vec3 operator+(const Vec3& b) const { return {x + b.x, y + b.y, z + b.z}; }
    Vec3 operator*(float k) const { return {x * k, y * k, z * k}; }
    Vec3& operator+=(const Vec3& b) { x = x + b.x; y = y + b.y; z = z + b.z; return *this; }
    Vec3& operator-=(const Vec3& b) { x = x - b.x; y = y - b.y; z = z - b.z; return *this; }

    float lengthSquared() const { return x * x + y * y + z * z; }
    float length() const { return std::sqrt(x * x + y * y + z * z); }

    // Divides each component by the length and returns the length; a vector
    // of length 0 becomes (0, 1, 0) and 0 is returned.
    float normalise();
    Vec3 normalised() const { Vec3 v = *this; v.normalise(); return v; }

    float dot(const Vec3& b) const { return x * b.x + y * b.y + z * b.z; }
    Vec3 cross(const Vec3& b) const;
    Vec3 rotated(const Mat4& m) const;
};

struct Quat {
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 1.0f;

    // Rotation by angle a (radians) about the unit axis u; angles within
    // 0.000001 of zero give the identity.
    static Quat fromAngleAxis(float a, const Vec3& u);
};

// Sixteen floats, column-major: m[c * 4 + r] is row r of column c.
struct Mat4 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    static Mat4 fromQuat(const Quat& q);
};

}  // namespace lumora
