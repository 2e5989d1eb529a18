// What moving particles leave behind: smoke puffs along trails, exhaust
// sparks of a boosting shell, fountain and pinwheel sparks, glitter, and the
// spark tails of tail stars and wanderers.
//
// Path-spaced emission carries the unused length to the next frame; rate-based
// emission carries the unused fraction. A spark is allocate + initStar first
// (its life draw), then its own draws in the order listed, except a pinwheel
// spark, whose angle is drawn before the spark is allocated.
#include "renderer/sim/simulation.h"

namespace lumora {

namespace {
// How many records to make for a count n (truncated towards zero, and used
// as it is for the carry, so a negative carry is absorbed): none for n below
// 1, and never more than a bound no sane frame comes near, so a diverging
// value can neither hang the frame nor exhaust memory.
int emissions(int n) {
    if (n < 0) return 0;
    return n > 1000000 ? 1000000 : n;
}
}  // namespace

void Simulation::initSmoke(Particle& r, const Vec3& position, const Vec3& velocity) {
    r.kind = Smoke;
    int index = rng_.R(5);
    if (index == 5) index = 4;  // the one draw in 32768 beyond the five sprites
    r.sprite = sprites_.SmokeSprites[static_cast<std::size_t>(index)];
    r.position = position;
    r.velocity = velocity;
    const float g = static_cast<float>(settings_.AmbientBrightness) * 0.01f;
    r.colour.set(g, g, g);
    r.drag = 2.0f;
    r.size = 0.1f;
    r.leavesTrail = 0;
    if (inStep_) smokeIndex_.push_back(&r);
}

void Simulation::emitTrails(Particle& p) {
    const float dt = dt_;
    const Vec3 seg = p.position - p.previousPosition;
    const float L = seg.length();
    const bool boosting = p.kind == Shell && p.lifeFraction > p.thrustEnd;

    // Smoke trail, one puff every 2 units of path.
    if (p.leavesTrail != 0 && smokeSpan() != 0) {
        const float T = L + p.trailCarry;
        const int n = truncToInt(T * 0.5f);
        p.trailCarry = T - 2.0f * static_cast<float>(n);
        const float step = 2.0f / T;
        Vec3 b;
        if (boosting) {
            // Blown backwards while the motor burns.
            const Vec3 d = p.velocity.normalised();
            b = d * (-2.0f * (p.lifeFraction - p.thrustEnd) * p.thrust);
        }
        Vec3 at = p.previousPosition;
        for (int i = 0; i < emissions(n); ++i) {
            at += seg * step;
            Particle& r = pool_.allocate();
            const float vx = rng_.U(20.0f) - 10.0f;
            const float vy = rng_.U(20.0f) - 10.0f;
            const float vz = rng_.U(20.0f) - 10.0f;
            initSmoke(r, at, b + Vec3(vx, vy, vz));
            const float life = trailLife_[static_cast<std::size_t>(p.trailIndex & 7)];
            r.lifeSpan = life;
            r.lifeLeft = life;
            p.trailIndex = p.trailIndex + 1;
            if (p.trailIndex > 7) p.trailIndex = 0;
        }
    }

    // Exhaust sparks of a boosting shell, one every 2.5 units of path.
    if (boosting) {
        const float T = L + p.emitCarry;
        const int n = truncToInt(T * 0.4f);
        p.emitCarry = T - 2.5f * static_cast<float>(n);
        const Vec3 d = p.velocity.normalised();
        const Vec3 b = d * (-(p.lifeFraction - p.thrustEnd) * p.thrust);
        for (int i = 0; i < emissions(n); ++i) {
            Particle& r = pool_.allocate();
            initStar(r);
            const float u = rng_.U(1.0f);
            r.position = p.position - seg * u;  // a random point on this frame's path
            const float vx = rng_.U(60.0f) - 30.0f;
            const float vy = rng_.U(60.0f) - 30.0f;
            const float vz = rng_.U(60.0f) - 30.0f;
            r.velocity = b + Vec3(vx, vy, vz);
            r.colour = p.colour;
            r.lifeSpan = 0.1f + rng_.U(0.2f);
            r.lifeLeft = r.lifeSpan;
            r.size = p.lifeFraction * 8.0f;
            r.sprite = sprites_.SparkSprite;
            r.leavesTrail = 0;
        }
    }

    if (p.kind == Fountain) {
        // 10 to 20 sparks a second at full brightness.
        const float rate = 10.0f + rng_.U(10.0f);
        const float X = rate * p.brightness * dt + p.emitCarry;
        const int n = truncToInt(X);
        p.emitCarry = X - static_cast<float>(n);
        for (int i = 0; i < emissions(n); ++i) {
            Particle& r = pool_.allocate();
            initStar(r);
            r.drag = 0.342f;
            r.position = p.position;
            r.position.y = r.position.y + rng_.U(100.0f * dt);
            if (r.position.y > 50.0f) r.position.y = 50.0f;
            const float q1 = rng_.U(30.0f);
            const float q2 = rng_.U(20.0f);
            const float q3 = rng_.U(20.0f);
            r.velocity.set(q2 - 10.0f, 100.0f + q1, q3 - 10.0f);
            r.size = 10.0f;
            r.colour = p.colour;
            r.leavesTrail = 0;
        }
    }

    if (p.kind == Pinwheel) {
        // Sparks flung backwards from a spoke of length 400 turning about the
        // wheel's axis.
        Vec3 w = Vec3(1.0f, 0.0f, 0.0f).cross(p.axis);
        w.normalise();
        w = w * 400.0f;
        const float step = dt * p.spinRate;
        const float rate = 90.0f + rng_.U(10.0f);
        const float X = rate * p.brightness * dt + p.emitCarry;
        const int n = truncToInt(X);
        p.emitCarry = X - static_cast<float>(n);
        for (int i = 0; i < emissions(n); ++i) {
            const float angle = rng_.U(step) + p.swirl;
            const Mat4 m = Mat4::fromQuat(Quat::fromAngleAxis(angle, p.axis));
            const Vec3 spoke = w.rotated(m);
            Particle& r = pool_.allocate();
            initStar(r);
            r.position = p.position;
            const float jz = rng_.U(20.0f) - 10.0f;
            const float jy = rng_.U(20.0f) - 10.0f;
            const float jx = rng_.U(20.0f) - 10.0f;
            r.velocity = p.velocity - spoke + Vec3(jx, jy, jz);
            r.size = 15.0f;
            r.colour = p.colour;
            r.leavesTrail = 0;
            r.lifeSpan = 1.5f + rng_.U(0.5f);
            r.lifeLeft = r.lifeSpan;
        }
        p.swirl = p.swirl + step;
    }

    if (p.kind == GlitterStar) {
        // One glitter spark every 25 units of path.
        const float T = L + p.emitCarry;
        const int n = truncToInt(T * 0.04f);
        p.emitCarry = T - 25.0f * static_cast<float>(n);
        for (int i = 0; i < emissions(n); ++i) {
            Particle& r = pool_.allocate();
            initStar(r);
            const float u = rng_.U(1.0f);
            r.position = p.position - seg * u;
            const float vx = rng_.U(80.0f) - 40.0f;
            const float vy = rng_.U(80.0f) - 40.0f;
            const float vz = rng_.U(80.0f) - 40.0f;
            r.velocity = p.velocity + Vec3(vx, vy, vz);
            r.drag = 2.5f;
            r.size = 4.0f + rng_.U(8.0f);
            r.colour.set(1.0f, 0.8f, 0.6f);
            r.lifeSpan = 1.0f + rng_.U(2.0f);
            r.lifeLeft = r.lifeSpan;
            r.leavesTrail = 0;
        }
    }

    if (p.kind == TailStar || p.kind == Wanderer) {
        // One spark about every 10 units of path; the count rounds, so the
        // carry may go slightly negative.
        const float T = L + p.emitCarry;
        const int n = truncToInt(T * 0.1f + 0.5f);
        const float step = 10.0f / T;
        Vec3 at = p.previousPosition;
        for (int i = 0; i < emissions(n); ++i) {
            Particle& r = pool_.allocate();
            initStar(r);
            at += seg * step;
            r.position = at;
            if (p.kind == TailStar) {
                const float vx = rng_.U(40.0f) - 20.0f;
                const float vy = rng_.U(40.0f) - 20.0f;
                const float vz = rng_.U(40.0f) - 20.0f;
                r.velocity = p.velocity + Vec3(vx, vy, vz);
                r.colour = p.colour;
                r.drag = 2.0f;
                r.lifeSpan = 1.5f + rng_.U(0.5f);
                r.lifeLeft = r.lifeSpan;
                r.size = 10.0f;
                r.leavesTrail = 0;
            } else {
                // Thrown back against the wanderer's motion; drawn y, x, z.
                const float vy = rng_.U(100.0f) - 50.0f - 0.5f * p.velocity.y;
                const float vx = rng_.U(100.0f) - 50.0f - 0.5f * p.velocity.x;
                const float vz = rng_.U(100.0f) - 50.0f - 0.5f * p.velocity.z;
                r.velocity.set(vx, vy, vz);
                r.colour = p.colour;
                r.drag = 2.0f;
                r.lifeSpan = 0.15f + rng_.U(0.1f);
                r.lifeLeft = r.lifeSpan;
                r.size = 7.0f;
                r.sprite = sprites_.SparkSprite;
                r.leavesTrail = 0;
            }
        }
        p.emitCarry = T - 10.0f * static_cast<float>(n);
    }
}

}  // namespace lumora
