// Vector, quaternion and matrix helpers; see vec.h.
#include "renderer/sim/vec.h"

namespace lumora {

float Vec3::normalise() {
    const float len = length();
    if (len == 0.0f) {
        x = 0.0f; y = 1.0f; z = 0.0f;
        return 0.0f;
    }
    x = x / len; y = y / len; z = z / len;
    return len;
}

Vec3 Vec3::cross(const Vec3& b) const {
    return {y * b.z - b.y * z, b.x * z - x * b.z, x * b.y - b.x * y};
}

Vec3 Vec3::rotated(const Mat4& mat) const {
    const float* m = mat.m;
    return {x * m[0] + y * m[4] + z * m[8],
            x * m[1] + y * m[5] + z * m[9],
            x * m[2] + y * m[6] + z * m[10]};
}

Quat Quat::fromAngleAxis(float a, const Vec3& u) {
    Quat q;
    if (a >= 0.000001f || a <= -0.000001f) {
        const float half = a / 2.0f;
        const float s = fsin(half);
        q.x = u.x * s; q.y = u.y * s; q.z = u.z * s;
        q.w = fcos(half);
    }
    return q;
}

Mat4 Mat4::fromQuat(const Quat& q) {
    Mat4 r;
    if (q.x == 0.0f && q.y == 0.0f && q.z == 0.0f) return r;
    const float x = q.x, y = q.y, z = q.z, w = q.w;
    const float s = 2.0f / (x * x + y * y + z * z + w * w);
    float* m = r.m;
    m[0] = 1.0f - s * (y * y + z * z);
    m[1] = s * (x * y + w * z);
    m[2] = s * (x * z - w * y);
    m[4] = s * (x * y - w * z);
    m[5] = 1.0f - s * (x * x + z * z);
    m[6] = s * (y * z + w * x);
    m[8] = s * (x * z + w * y);
    m[9] = s * (y * z - w * x);
    m[10] = 1.0f - s * (x * x + y * y);
    m[3] = m[7] = m[11] = m[12] = m[13] = m[14] = 0.0f;
    m[15] = 1.0f;
    return r;
}

}  // namespace lumora
