// The one record type of the simulation and its fourteen kinds.
//
// Records are recycled, never reset: an initialiser overwrites only the fields
// it names, and everything else keeps the value of the record's previous life.
// A freshly constructed record starts from the values below (its vectors and
// the fields thrust..swirl and programme are 0).
#pragma once

#include <cstdint>

#include "renderer/sim/vec.h"

namespace lumora {

enum ParticleKind : int32_t {
    Shell = 0,
    Fountain = 1,
    Pinwheel = 2,
    Smoke = 3,
    Flash = 4,
    Star = 5,
    GlitterStar = 6,
    TailStar = 7,
    TimerStar = 8,
    Wanderer = 9,
    RingCore = 10,
    ShockRing = 11,
    ColumnCore = 12,
    ColumnBurst = 13,
};

// depthKey of a free record, and of a record just handed out.
constexpr float kFreeDepthKey = -1000000.0f;
constexpr float kAllocatedDepthKey = 10000.0f;

struct Particle {
    int32_t kind = Star;
    uint32_t sprite = 0;  // the pool sets StarSprite on a fresh record
    Vec3 position;
    Vec3 previousPosition;
    Vec3 velocity;
    Vec3 colour;
    float drag = 0.612f;
    float lifeSpan = 2.0f;
    float lifeLeft = 2.0f;
    float brightness = 1.0f;
    float lifeFraction = 1.0f;
    float size = 30.0f;
    float thrust = 0.0f;
    float thrustEnd = 0.0f;
    float spinRate = 0.0f;
    float swirl = 0.0f;
    Vec3 axis;
    uint32_t leavesTrail = 0;
    int32_t trailIndex = 0;
    float trailCarry = 0.0f;
    float emitCarry = 0.0f;
    uint32_t programme = 0;
    float depthKey = 0.0f;

    bool isLive() const { return depthKey > kFreeDepthKey; }
};

}  // namespace lumora
