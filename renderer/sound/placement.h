// Where a sound comes from, as the listener at the eye hears it: distance in
// metres, the travel time at the speed of sound, the level falling as
// 1/distance, the air's low-pass corner and the equal-power pan. Pure
// functions of the event's position and the camera at the event's frame.
#pragma once

#include "renderer/sim/vec.h"

namespace lumora {

// The world unit is a foot (gravity is 32 units/s²).
inline constexpr double kMetresPerUnit = 0.3048;
inline constexpr double kSpeedOfSound = 343.0;  // m/s
// Levels are given at 100 m; nearer than 25 m counts as 25 m, so a sound at
// the eye is loud but bounded.
inline constexpr double kReferenceMetres = 100.0;
inline constexpr double kNearestMetres = 25.0;

struct Placement {
    double distanceM = 0.0;
    double delayS = 0.0;
    float distanceGain = 1.0f;  // 100 m / distance, at most 4
    float cutoffHz = 0.0f;
    float pan = 0.0f;  // -1 left .. 1 right
};

// `back` is the unit vector out of the back of the view (the camera's), so
// the look direction is -back; the view's right is look x up.
Placement placeSound(const Vec3& at, const Vec3& eye, const Vec3& back);

// The air's low-pass corner at a distance: about 5 kHz at 100 m, 2 kHz at
// 300 m, lower beyond; 16 kHz at most.
float airCutoffHz(double metres);

// Equal-power gains of a pan: left = cos, right = sin of (pan + 1) pi / 4.
void panGains(float pan, float& left, float& right);

}  // namespace lumora
