// The fireworks simulation: launcher, motion, bursts, emitters and the light
// and blast interactions, over one ParticlePool.
//
// Everything here is deterministic: the simulation draws from the renderer's
// one generator (passed in), takes the frame step and the camera as values and
// never reads a clock. Drawing is elsewhere; the simulation only stores the
// display-list names of the sprites in the records.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/settings/settings.h"
#include "renderer/sim/cloud_light.h"
#include "renderer/sim/pool.h"
#include "renderer/sim/rng.h"
#include "renderer/sim/sim_events.h"

namespace lumora {

// Display-list names of the sprites, as the GL layer created them. The
// simulation copies them into `Particle::sprite`.
struct SpriteSet {
    uint32_t StarSprite = 1;
    uint32_t FlareDiscSprite = 2;
    uint32_t GlowSprite = 3;
    uint32_t SparkSprite = 4;
    std::array<uint32_t, 5> SmokeSprites{5, 6, 7, 8, 9};
};

// The trail life table for a SmokeSpan: eight puff lives, the last always
// equal to SmokeSpan.
std::array<float, 8> makeTrailLifeTable(int32_t smokeSpan);

class Simulation {
public:
    // `clouds` may be null (no cloud ceiling). The settings are copied.
    Simulation(Rand15& rng, const Settings& settings, const SpriteSet& sprites = {},
               CloudLightTarget* clouds = nullptr);

    // One frame: smoke reset, launch scheduling, the update pass with the
    // end-of-life rules, and the sort. `eye` and `back` (the unit vector out of
    // the back of the view) give the depth keys.
    void simulationStep(float dt, const Vec3& eye, const Vec3& back);

    // Where the step reports the events that make a sound; null (the
    // default) reports nothing. The list is only appended to: whoever
    // listens empties it.
    void setEventList(SimEventList* events) { events_ = events; }

    // Initialisers of the launched kinds and the random star colour.
    void initShell(Particle& p);
    void initFountain(Particle& p);
    void initPinwheel(Particle& p);
    Vec3 pickStarColour();
    uint32_t pickProgramme();

    // Motion, life, emitters and interactions of one live record.
    void updateParticle(Particle& p);
    void emitTrails(Particle& p);
    void initSmoke(Particle& r, const Vec3& position, const Vec3& velocity);
    void illuminate(const Particle& s);
    void ringCorePull(const Particle& c);
    void shockRingPush(const Particle& r);
    void columnCorePull(const Particle& c);

    // Bursts and second stages.
    void burst(Particle& p);
    void ringCoreExpire(Particle& p);
    void columnCoreExpire(Particle& p);

    // Star initialisers.
    void initStar(Particle& p);
    void initGlitterStar(Particle& p);
    void initTailStar(Particle& p);
    void initTimerStar(Particle& p, uint32_t subState);
    void initCrackleStar(Particle& p);
    void initWanderer(Particle& p);

    // Generators: n stars at base speed s from the burst record b.
    void burstSphere(const Particle& b, int n, float s, const Vec3& A);
    void burstTwoTone(const Particle& b, int n, float s, const Vec3& A);
    void burstTriColour(const Particle& b, int n, float s);
    void burstRing(const Particle& b, int n, float s, const Vec3& A);
    void burstGlitter(const Particle& b, int n, float s, const Vec3& A);
    void burstTail(const Particle& b, int n, float s, const Vec3& A);
    void burstTimers(const Particle& b, int n, float s, const Vec3& A, uint32_t subState);
    void burstCrackle(const Particle& b, int n, float s);
    void burstWanderers(const Particle& b, int n, float s, const Vec3& A);
    void burstRingShell(Particle& p);
    void burstColumnShell(Particle& p);

    ParticlePool& pool() { return pool_; }
    const ParticlePool& pool() const { return pool_; }
    const Settings& settings() const { return settings_; }
    const SpriteSet& sprites() const { return sprites_; }
    const std::array<float, 8>& trailLife() const { return trailLife_; }
    float dt() const { return dt_; }
    // For tests and tools that drive single operations without a step.
    void setDt(float dt) { dt_ = dt; }

    // Launcher state.
    float launchTimer = 0.0f;
    float launchInterval = 0.0f;
    float intervalTimer = 20.0f;
    int32_t shellsInFlight = 0;
    float smokeGrey = 0.0f;

private:
    Vec3 randomDirection();
    // Kind, StarSprite, drag, size and a life of `life` seconds.
    void setStar(Particle& p, int32_t kind, float drag, float size, float life);
    // A star from the burst record b in a random direction at s + U(spread),
    // with b's velocity added; returns the direction.
    Vec3 flyOut(Particle& r, const Particle& b, float s, float spread);
    void straggler(Particle* last);
    void becomeStage(Particle& p, int32_t kind, uint32_t sprite, const Vec3& colour, float size, float life);
    Particle& newFlash(const Particle& at, const Vec3& colour, float size, float life);
    int smokeSpan() const { return settings_.SmokeSpan < 0 ? 0 : settings_.SmokeSpan; }
    // One event from the record p as it is now; `madeSince` is the pool's
    // allocation count before the event made its records (the count now
    // for an event that makes none).
    void report(SimEventKind kind, const Particle& p, float duration, uint64_t madeSince);
    void report(SimEventKind kind, const Particle& p, float duration) {
        report(kind, p, duration, pool_.allocations());
    }

    // Every live Smoke record, gathered at the start of a step and extended
    // as puffs are made, so lighting visits the smoke alone instead of every
    // node. Puffs never change kind while live and a record freed during a
    // step is not handed out again before the sort, so the set is exact.
    void refreshSmokeIndex();
    std::vector<Particle*> smokeIndex_;
    bool inStep_ = false;

    Rand15& rng_;
    Settings settings_;
    SpriteSet sprites_;
    CloudLightTarget* clouds_;
    ParticlePool pool_;
    std::array<float, 8> trailLife_{};
    float dt_ = 0.0f;
    bool firstStep_ = true;
    SimEventList* events_ = nullptr;
};

// A float count or index truncated towards zero, with NaN taken as 0 and the
// value held inside the int range (a safe stand-in for a plain int cast).
int truncToInt(float v);

}  // namespace lumora
