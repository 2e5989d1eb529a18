// Motion and life of single records, and the emitters they drive.
#include <gtest/gtest.h>

#include <cmath>

#include "renderer/sim/simulation.h"

using namespace lumora;

namespace {

struct World {
    explicit World(Settings s = {}, uint32_t seed = 1) : rng(seed), settings(s), sim(rng, settings) {}
    Particle& add(ParticleKind kind) {
        Particle& p = sim.pool().allocate();
        p.kind = kind;
        return p;
    }
    int count(ParticleKind kind) {
        int n = 0;
        sim.pool().forEachNodeLive([&](Particle& p) { n += p.kind == kind; });
        return n;
    }
    Rand15 rng;
    Settings settings;
    Simulation sim;
};

Settings calm() {
    Settings s;
    s.WindSpeed = 0;
    s.Illumination = 0;
    return s;
}

}  // namespace

TEST(Motion, WindFactorChangesSignWithHeight) {
    // factor = (0.1 - 0.00175 y) + 0.0000011 y^2, times the wind speed.
    struct Case { float y; float factor; };
    const Case cases[] = {{0.0f, 0.1f}, {795.0f, 0.1f - 0.00175f * 795.0f + 0.0000011f * 795.0f * 795.0f},
                          {1600.0f, 0.1f - 0.00175f * 1600.0f + 0.0000011f * 1600.0f * 1600.0f}};
    for (const Case& c : cases) {
        Settings s = calm();
        s.WindSpeed = 20;
        World w(s);
        Particle& p = w.add(Smoke);
        p.position.set(0.0f, c.y, 0.0f);
        p.velocity.set(0.0f, 0.0f, 0.0f);
        p.lifeSpan = p.lifeLeft = 100.0f;
        w.sim.setDt(0.5f);
        w.sim.updateParticle(p);
        EXPECT_NEAR(p.position.x, c.factor * 20.0f * 0.5f, 1e-4f) << "y " << c.y;
        EXPECT_EQ(p.position.y, c.y);  // smoke has no gravity
    }
    // Near 795 the drift is towards -x, near the ground towards +x.
    EXPECT_LT(cases[1].factor, -0.59f);
    EXPECT_GT(cases[2].factor, 0.0f);
}

TEST(Motion, SmokeSwellsWithoutGravityAndFountainsStayPut) {
    World w(calm());
    Particle& smoke = w.add(Smoke);
    smoke.velocity.set(0.0f, 10.0f, 0.0f);
    smoke.size = 0.1f;
    smoke.drag = 2.0f;
    smoke.lifeSpan = smoke.lifeLeft = 2.0f;
    w.sim.setDt(0.1f);
    w.sim.updateParticle(smoke);
    const float k = 1.0f / (1.0f + 0.1f * 2.0f);
    EXPECT_FLOAT_EQ(smoke.velocity.y, 10.0f * (k * k));
    EXPECT_FLOAT_EQ(smoke.size, 0.1f + (30.0f - 0.1f) * (1.2f * 0.1f));
    EXPECT_FLOAT_EQ(smoke.brightness, 0.7f * (1.9f / 2.0f));

    Particle& f = w.add(Fountain);
    f.position.set(1, 5, 2);
    f.previousPosition.set(9, 9, 9);
    f.velocity.set(0, 0, 0);
    f.lifeSpan = f.lifeLeft = 10.0f;
    f.emitCarry = 0.0f;
    w.sim.updateParticle(f);
    EXPECT_EQ(f.position.y, 5.0f);
    EXPECT_EQ(f.previousPosition.x, 9.0f);
    EXPECT_LT(f.velocity.y, 0.0f);  // gravity and drag still act on its velocity
    // Fade-in over the first half second: f^2 * 2 * age.
    const float frac = 9.9f / 10.0f;
    EXPECT_NEAR(f.brightness, frac * frac * (2.0f * 0.1f), 1e-6f);
}

TEST(Motion, StarsFadeAsOneMinusTheFourthPowerAndTimerStarsCountSeconds) {
    World w(calm());
    Particle& s = w.add(Star);
    s.lifeSpan = 2.0f;
    s.lifeLeft = 1.0f;
    w.sim.setDt(0.0f);
    w.sim.updateParticle(s);
    EXPECT_FLOAT_EQ(s.lifeFraction, 1.0f - 0.0625f);
    EXPECT_FLOAT_EQ(s.brightness, s.lifeFraction);

    Particle& t = w.add(TimerStar);
    t.lifeSpan = 4.0f;
    t.lifeLeft = 3.0f;
    t.brightness = 0.25f;
    w.sim.setDt(0.5f);
    w.sim.updateParticle(t);
    EXPECT_FLOAT_EQ(t.lifeFraction, 2.5f);
    EXPECT_EQ(t.brightness, 0.25f);
}

TEST(Motion, ShellBoostsOnlyAboveThrustEndThenDims) {
    World w(calm());
    Particle& p = w.add(Shell);
    p.velocity.set(0.0f, 60.0f, 0.0f);
    p.axis.set(1.0f, 0.5f, 0.0f);  // not yet perpendicular to the flight
    p.thrust = 200.0f;
    p.thrustEnd = 0.5f;
    p.spinRate = 3.0f;
    p.swirl = 10.0f;
    p.lifeFraction = 1.0f;
    p.lifeSpan = p.lifeLeft = 5.0f;
    p.brightness = 0.0f;
    p.leavesTrail = 0;

    // dt 0: nothing moves or ages, but the swirl axis is re-orthogonalised.
    w.sim.setDt(0.0f);
    w.sim.updateParticle(p);
    EXPECT_EQ(p.velocity.y, 60.0f);
    EXPECT_NEAR(p.axis.y, 0.0f, 1e-6f);
    EXPECT_NEAR(p.axis.length(), 1.0f, 1e-6f);

    w.sim.setDt(0.1f);
    w.sim.updateParticle(p);
    EXPECT_GT(p.velocity.y, 60.0f);  // boosted beyond what gravity takes
    EXPECT_FLOAT_EQ(p.brightness, 0.2f);

    // Its life fraction at thrustEnd: no boost in the next frame, dims by dt.
    p.lifeFraction = 0.5f;
    p.lifeLeft = 2.5f;
    p.brightness = 1.0f;
    const Vec3 before = p.velocity;
    w.sim.updateParticle(p);
    EXPECT_LT(p.velocity.y, before.y);
    EXPECT_FLOAT_EQ(p.brightness, 0.9f);
}

TEST(Emitters, TrailPuffsEveryTwoUnitsWithCarry) {
    Settings s = calm();
    World w(s);
    Particle& p = w.add(Star);  // any kind whose trail flag is set
    p.leavesTrail = 1;
    p.trailCarry = 0.0f;
    p.trailIndex = 6;
    p.previousPosition.set(0, 100, 0);
    p.position.set(5, 100, 0);
    w.sim.setDt(0.016f);
    w.sim.emitTrails(p);
    EXPECT_FLOAT_EQ(p.trailCarry, 1.0f);
    EXPECT_EQ(p.trailIndex, 0);  // 6 -> 7 -> back to 0
    std::vector<Particle*> puffs;
    w.sim.pool().forEachNodeLive([&](Particle& r) { if (r.kind == Smoke) puffs.push_back(&r); });
    ASSERT_EQ(puffs.size(), 2u);
    EXPECT_FLOAT_EQ(puffs[0]->position.x, 2.0f);
    EXPECT_FLOAT_EQ(puffs[1]->position.x, 4.0f);
    // Lives follow the table from the particle's index: entries 6 and 7.
    EXPECT_FLOAT_EQ(puffs[0]->lifeSpan, 0.4f);
    EXPECT_FLOAT_EQ(puffs[1]->lifeSpan, 5.0f);
    EXPECT_FLOAT_EQ(puffs[0]->colour.x, 0.1f);  // AmbientBrightness 10
    EXPECT_FLOAT_EQ(puffs[0]->size, 0.1f);
    EXPECT_FLOAT_EQ(puffs[0]->drag, 2.0f);
    EXPECT_GE(puffs[0]->sprite, 5u);

    // Not moving: no puffs, carry unchanged.
    p.previousPosition = p.position;
    w.sim.emitTrails(p);
    EXPECT_FLOAT_EQ(p.trailCarry, 1.0f);
    EXPECT_EQ(w.count(Smoke), 2);
}

TEST(Emitters, NoSmokeWithSmokeSpanZeroOrNegative) {
    for (int span : {0, -3}) {
        Settings s = calm();
        s.SmokeSpan = span;
        World w(s);
        Particle& p = w.add(Shell);
        p.leavesTrail = 1;
        p.previousPosition.set(0, 0, 0);
        p.position.set(0, 50, 0);
        p.lifeFraction = 0.0f;  // not boosting: no exhaust either
        p.thrustEnd = 0.3f;
        w.sim.emitTrails(p);
        EXPECT_EQ(w.count(Smoke), 0) << span;
        EXPECT_EQ(p.trailCarry, 0.0f);
    }
}

TEST(Emitters, TailSpacingRoundsAndMayCarryNegative) {
    struct Case { float length; int sparks; float carry; };
    for (const Case& c : {Case{14.0f, 1, 4.0f}, Case{15.0f, 2, -5.0f}, Case{4.0f, 0, 4.0f}}) {
        for (ParticleKind kind : {TailStar, Wanderer}) {
            World w(calm());
            Particle& p = w.add(kind);
            p.emitCarry = 0.0f;
            p.previousPosition.set(0, 500, 0);
            p.position.set(0, 500, c.length);
            p.velocity.set(0, 0, 100);
            p.colour.set(0.5f, 0.25f, 1.0f);
            w.sim.emitTrails(p);
            EXPECT_EQ(w.count(Star), c.sparks) << c.length;
            EXPECT_FLOAT_EQ(p.emitCarry, c.carry) << c.length;
            w.sim.pool().forEachNodeLive([&](Particle& r) {
                if (r.kind != Star) return;
                EXPECT_EQ(r.drag, 2.0f);
                EXPECT_EQ(r.colour.y, 0.25f);
                if (kind == Wanderer) {
                    EXPECT_EQ(r.size, 7.0f);
                    EXPECT_LE(r.lifeSpan, 0.25f + 1e-6f);
                    // Thrown back against the motion: z speed below -50 + 50 - 50.
                    EXPECT_LE(r.velocity.z, 0.0f);
                } else {
                    EXPECT_EQ(r.size, 10.0f);
                    EXPECT_GE(r.lifeSpan, 1.5f);
                }
            });
        }
    }
}

TEST(Emitters, FountainAtZeroBrightnessKeepsItsCarry) {
    World w(calm());
    Particle& f = w.add(Fountain);
    f.brightness = 0.0f;
    f.emitCarry = 0.75f;
    w.sim.setDt(0.1f);
    const uint64_t before = w.rng.calls();
    w.sim.emitTrails(f);
    EXPECT_EQ(w.count(Star), 0);
    EXPECT_FLOAT_EQ(f.emitCarry, 0.75f);
    EXPECT_EQ(w.rng.calls(), before + 1);  // the rate is drawn all the same

    // A recycled record may bring a negative carry: the truncated count
    // absorbs it (-3.4 -> -3, carry -0.4) and nothing is thrown.
    f.emitCarry = -3.4f;
    w.sim.emitTrails(f);
    EXPECT_EQ(w.count(Star), 0);
    EXPECT_FLOAT_EQ(f.emitCarry, -3.4f + 3.0f);

    f.brightness = 1.0f;
    f.position.set(10, 5, 10);
    f.colour.set(1, 0, 0);
    w.sim.setDt(1.0f);
    w.sim.emitTrails(f);
    const int n = w.count(Star);
    EXPECT_GE(n, 10);
    EXPECT_LE(n, 21);
    w.sim.pool().forEachNodeLive([&](Particle& r) {
        if (r.kind != Star) return;
        EXPECT_LE(r.position.y, 50.0f);  // the spray starts no higher than 50
        EXPECT_GE(r.velocity.y, 100.0f);
        EXPECT_FLOAT_EQ(r.drag, 0.342f);
    });
}

TEST(Emitters, PinwheelSparksFlyFromTheSpokeAndTheWheelTurns) {
    World w(calm());
    Particle& p = w.add(Pinwheel);
    p.axis.set(0, 1, 0);
    p.spinRate = 12.0f;
    p.swirl = 0.5f;
    p.brightness = 1.0f;
    p.emitCarry = 0.0f;
    p.velocity.set(0, 0, 0);
    w.sim.setDt(0.1f);
    w.sim.emitTrails(p);
    EXPECT_FLOAT_EQ(p.swirl, 0.5f + 0.1f * 12.0f);
    const int n = w.count(Star);
    EXPECT_GE(n, 9);
    EXPECT_LE(n, 10);
    w.sim.pool().forEachNodeLive([&](Particle& r) {
        if (r.kind != Star) return;
        const float horizontal = std::sqrt(r.velocity.x * r.velocity.x + r.velocity.z * r.velocity.z);
        EXPECT_NEAR(horizontal, 400.0f, 20.0f);  // the spoke's speed plus jitter
        EXPECT_EQ(r.size, 15.0f);
    });
}

TEST(Emitters, GlitterEveryTwentyFiveUnitsAndExhaustOnlyWhileBoosting) {
    World w(calm());
    Particle& g = w.add(GlitterStar);
    g.emitCarry = 10.0f;
    g.previousPosition.set(0, 800, 0);
    g.position.set(40, 800, 0);
    w.sim.emitTrails(g);
    EXPECT_EQ(w.count(Star), 2);
    EXPECT_FLOAT_EQ(g.emitCarry, 0.0f);

    World e(calm());
    Particle& s = e.add(Shell);
    s.leavesTrail = 0;
    s.thrust = 250.0f;
    s.thrustEnd = 0.3f;
    s.lifeFraction = 0.9f;
    s.emitCarry = 0.0f;
    s.previousPosition.set(0, 100, 0);
    s.position.set(0, 110, 0);
    s.velocity.set(0, 600, 0);
    e.sim.emitTrails(s);
    EXPECT_EQ(e.count(Star), 4);  // 10 units, one every 2.5
    e.sim.pool().forEachNodeLive([&](Particle& r) {
        if (r.kind != Star) return;
        EXPECT_LT(r.velocity.y, 0.0f);  // blown backwards
        EXPECT_FLOAT_EQ(r.size, 0.9f * 8.0f);
        EXPECT_EQ(r.sprite, e.sim.sprites().SparkSprite);
    });
    s.lifeFraction = 0.3f;
    e.sim.emitTrails(s);
    EXPECT_EQ(e.count(Star), 4);
}
