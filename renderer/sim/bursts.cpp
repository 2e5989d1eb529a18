// Bursts: the shell's record becomes the burst Flash and its programme makes
// the stars; the two-stage shells' cores expire into their second stages.
//
// Within one star the draws go: initialiser, direction (x, y, z), speed
// draw(s), then any later field. Every star starts at the burst record's
// position and adds its velocity.
#include "renderer/sim/simulation.h"

namespace lumora {

Vec3 Simulation::randomDirection() {
    const float x = rng_.U(1.0f) - 0.5f;
    const float y = rng_.U(1.0f) - 0.5f;
    const float z = rng_.U(1.0f) - 0.5f;
    Vec3 d(x, y, z);
    d.normalise();
    return d;
}

// ---- star initialisers: each sets only the fields it names ----

void Simulation::setStar(Particle& p, int32_t kind, float drag, float size, float life) {
    p.kind = kind;
    p.sprite = sprites_.StarSprite;
    p.drag = drag;
    p.size = size;
    p.lifeSpan = life;
    p.lifeLeft = life;
}

void Simulation::initStar(Particle& p) {
    setStar(p, Star, 0.612f, 30.0f, 2.0f + rng_.U(1.0f));
    p.leavesTrail = 0;
    p.trailCarry = 0.0f;
}

void Simulation::initGlitterStar(Particle& p) {
    setStar(p, GlitterStar, 0.612f, 30.0f, 3.0f + rng_.U(1.0f));
    p.emitCarry = 0.0f;
}

void Simulation::initTailStar(Particle& p) {
    setStar(p, TailStar, 0.612f, 20.0f, 3.0f + rng_.U(1.0f));
    p.emitCarry = 0.0f;
}

void Simulation::initTimerStar(Particle& p, uint32_t subState) {
    // Unseen; trails smoke while it flies, then breaks again.
    setStar(p, TimerStar, 0.4f, 0.0f, 3.0f + rng_.U(1.5f));
    p.leavesTrail = 1;
    p.programme = subState;
    p.trailCarry = 0.0f;
}

void Simulation::initCrackleStar(Particle& p) {
    const float size = 7.0f + rng_.U(3.0f);
    // 2.5..6.5 seconds, mostly near 2.5.
    const float u = rng_.U(kPi);
    setStar(p, TimerStar, 0.4f, size, 4.5f + 4.0f * (0.5f - fsin(u)));
    p.leavesTrail = 0;
    p.programme = 8;
}

void Simulation::initWanderer(Particle& p) {
    setStar(p, Wanderer, 0.3f, 10.0f, 2.5f + rng_.U(1.0f));
    p.leavesTrail = 0;
    p.emitCarry = 0.0f;
    p.thrust = kPi + rng_.U(kTwoPi);
    p.thrustEnd = kPi + rng_.U(kTwoPi);
    p.spinRate = kPi + rng_.U(kTwoPi);
    const float ax = rng_.U(kTwoPi);
    const float ay = rng_.U(kTwoPi);
    const float az = rng_.U(kTwoPi);
    p.axis.set(ax, ay, az);
}

// ---- burst ----

void Simulation::burst(Particle& p) {
    p.kind = Flash;
    p.sprite = sprites_.StarSprite;
    p.lifeSpan = 0.5f;
    p.lifeLeft = 0.5f;
    p.drag = 0.612f;
    p.brightness = 1.0f;
    p.lifeFraction = 1.0f;
    p.size = 100.0f;
    p.leavesTrail = 0;

    // The two special shells need height to unfold.
    if ((p.programme == 19 || p.programme == 20) && p.position.y < 1000.0f) p.programme = 0;

    const Vec3 white(1.0f, 1.0f, 1.0f);
    switch (p.programme) {
    case 0:
    case 1: {
        const Vec3 A = pickStarColour();
        p.colour = A;
        const bool normal = rng_.R(10) != 0;
        const float s = normal ? 400.0f + rng_.U(100.0f) : 1000.0f;
        const int n = normal ? 175 : 225;
        if (p.programme == 0) burstSphere(p, n, s, A);
        else burstTwoTone(p, n, s, A);
        break;
    }
    case 2: {
        p.colour = white;
        const bool normal = rng_.R(10) != 0;
        if (normal) burstTriColour(p, 175, 400.0f + rng_.U(100.0f));
        else burstTriColour(p, 225, 1000.0f);
        break;
    }
    case 3: {
        const Vec3 A = pickStarColour();
        p.colour = A;
        burstRing(p, 70, 400.0f + rng_.U(100.0f), A);
        break;
    }
    case 4: {
        const Vec3 A = pickStarColour();
        p.colour = A;
        const Vec3 B = pickStarColour();
        burstSphere(p, 90, 200.0f + rng_.U(50.0f), B);
        burstSphere(p, 150, 500.0f + rng_.U(100.0f), A);
        break;
    }
    case 5: {
        const Vec3 A = pickStarColour();
        p.colour = A;
        const Vec3 B = pickStarColour();
        burstRing(p, 70, 500.0f + rng_.U(100.0f), B);
        burstSphere(p, 150, 200.0f + rng_.U(50.0f), A);
        break;
    }
    case 6:
    case 7: {
        const Vec3 A = pickStarColour();
        p.colour = A;
        const float s = 400.0f + rng_.U(100.0f);
        if (p.programme == 6) burstGlitter(p, 40, s, A);
        else burstTail(p, 40, s, A);
        break;
    }
    case 8:
    case 9:
    case 10:
    case 11: {
        // Glitter or tails, then an inner sphere of a second colour drawn only
        // after the first stars exist.
        const Vec3 A = pickStarColour();
        p.colour = A;
        const bool wide = p.programme >= 10;
        const int n = wide ? 20 : 25;
        const float s = (wide ? 450.0f : 500.0f) + rng_.U(100.0f);
        if (p.programme == 8 || p.programme == 10) burstGlitter(p, n, s, A);
        else burstTail(p, n, s, A);
        const Vec3 B = pickStarColour();
        if (wide) burstSphere(p, 150, 500.0f + rng_.U(50.0f), B);
        else burstSphere(p, 90, 200.0f + rng_.U(50.0f), B);
        break;
    }
    case 12:
    case 13:
    case 14: {
        const Vec3 A = pickStarColour();
        p.colour = A;
        burstTimers(p, 8, 300.0f + rng_.U(100.0f), A, p.programme - 7u);
        break;
    }
    case 15:
        burstCrackle(p, 250, 150.0f + rng_.U(50.0f));
        break;
    case 16: {
        const Vec3 A = pickStarColour();
        p.colour = A;
        burstWanderers(p, 30, 10.0f, A);
        break;
    }
    case 17:
        p.colour = white;
        p.size = 150.0f;
        break;
    case 19:
        p.colour = white;
        burstRingShell(p);
        break;
    case 20:
        p.colour = white;
        burstColumnShell(p);
        break;
    case 100: burstSphere(p, 30, 100.0f, p.colour); break;
    case 101: burstGlitter(p, 10, 100.0f, p.colour); break;
    case 102: burstTail(p, 10, 100.0f, p.colour); break;
    default: break;  // 18, 21..99, above 102: the flash alone
    }
}

// ---- generators ----

void Simulation::straggler(Particle* last) {
    // About one burst in a hundred leaves a straggler that drifts on.
    if (rng_.R(100) == 0 && last) {
        last->lifeLeft = 5.0f + rng_.U(20.0f);
        last->lifeSpan = last->lifeLeft;
    }
}

Vec3 Simulation::flyOut(Particle& r, const Particle& b, float s, float spread) {
    r.position = b.position;
    const Vec3 d = randomDirection();
    r.velocity = d * (s + rng_.U(spread)) + b.velocity;
    return d;
}

void Simulation::burstSphere(const Particle& b, int n, float s, const Vec3& A) {
    const Vec3 colour = A;  // A may be the burst record's own colour
    Particle* last = nullptr;
    for (int i = 0; i < n; ++i) {
        Particle& r = pool_.allocate();
        initStar(r);
        flyOut(r, b, s, 50.0f);
        r.colour = colour;
        last = &r;
    }
    straggler(last);
}

void Simulation::burstTwoTone(const Particle& b, int n, float s, const Vec3& A) {
    const Vec3 colourA = A;
    const Vec3 B = pickStarColour();
    const Vec3 P = randomDirection();
    Particle* last = nullptr;
    for (int i = 0; i < n; ++i) {
        Particle& r = pool_.allocate();
        initStar(r);
        const Vec3 d = flyOut(r, b, s, 50.0f);
        r.colour = P.dot(d) > 0.0f ? colourA : B;  // one hemisphere each
        last = &r;
    }
    straggler(last);
}

void Simulation::burstTriColour(const Particle& b, int n, float s) {
    Vec3 table[3];
    for (Vec3& c : table) c = pickStarColour();
    Particle* last = nullptr;
    for (int i = 0; i < n; ++i) {
        Particle& r = pool_.allocate();
        initStar(r);
        flyOut(r, b, s, 30.0f);
        r.colour = table[i % 3];  // the cycle starts at 0 on every burst
        last = &r;
    }
    straggler(last);
}

namespace {
// A flat direction tilted by b about x and turned by a about z, as a ring of
// stars lies: (dx, 0, dz) is a unit vector in the ground plane.
Vec3 ringDirection(float dx, float dz, float sinA, float cosA, float sinB, float cosB) {
    const float y = sinB * dz;
    const float z = cosB * dz;
    const float x2 = sinA * y + cosA * dx;
    const float y2 = cosA * y - sinA * dx;
    return {x2, y2, z};
}
}  // namespace

void Simulation::burstRing(const Particle& b, int n, float s, const Vec3& A) {
    const Vec3 at = b.position, base = b.velocity, colour = A;
    const float a = rng_.U(kPi);
    const float bt = rng_.U(kPi);
    const float sinA = fsin(a), cosA = fcos(a), sinB = fsin(bt), cosB = fcos(bt);
    Particle* last = nullptr;
    for (int i = 0; i < n; ++i) {
        Particle& r = pool_.allocate();
        initStar(r);
        r.position = at;
        const float x = rng_.U(1.0f) - 0.5f;
        const float z = rng_.U(1.0f) - 0.5f;
        Vec3 d(x, 0.0f, z);
        d.normalise();
        const Vec3 dir = ringDirection(d.x, d.z, sinA, cosA, sinB, cosB);
        // Each component gets its own speed: a slight fuzz on the ring.
        const float fx = s + rng_.U(50.0f);
        const float fy = s + rng_.U(50.0f);
        const float fz = s + rng_.U(50.0f);
        r.velocity.set(dir.x * fx + base.x, dir.y * fy + base.y, dir.z * fz + base.z);
        r.colour = colour;
        last = &r;
    }
    straggler(last);
}

void Simulation::burstGlitter(const Particle& b, int n, float s, const Vec3& A) {
    const Vec3 colour = A;
    for (int i = 0; i < n; ++i) {
        Particle& r = pool_.allocate();
        initGlitterStar(r);
        flyOut(r, b, s, 50.0f);
        r.colour = colour;
    }
}

void Simulation::burstTail(const Particle& b, int n, float s, const Vec3& A) {
    const Vec3 colour = A;
    for (int i = 0; i < n; ++i) {
        Particle& r = pool_.allocate();
        initTailStar(r);
        flyOut(r, b, s, 50.0f);
        r.colour = colour;
    }
}

void Simulation::burstTimers(const Particle& b, int n, float s, const Vec3& A, uint32_t subState) {
    const Vec3 at = b.position, base = b.velocity, colour = A;
    for (int i = 0; i < n; ++i) {
        Particle& r = pool_.allocate();
        initTimerStar(r, subState);
        r.position = at;
        // Spread over a cube, not normalised.
        const float x = rng_.U(2.0f * s) - s;
        const float y = rng_.U(2.0f * s) - s;
        const float z = rng_.U(2.0f * s) - s;
        r.velocity = Vec3(x, y, z) + base;
        r.colour = colour;
    }
}

void Simulation::burstCrackle(const Particle& b, int n, float s) {
    const Vec3 at = b.position, base = b.velocity;
    for (int i = 0; i < n; ++i) {
        Particle& r = pool_.allocate();
        initCrackleStar(r);
        r.position = at;
        const float x = rng_.U(2.0f * s) - s;
        const float y = rng_.U(2.0f * s) - s;
        const float z = rng_.U(2.0f * s) - s;
        r.velocity = Vec3(x, y, z) + base;
        // The colour is left as the record had it: the pop turns it warm.
    }
}

void Simulation::burstWanderers(const Particle& b, int n, float s, const Vec3& A) {
    const Vec3 at = b.position, base = b.velocity, colour = A;
    for (int i = 0; i < n; ++i) {
        Particle& r = pool_.allocate();
        initWanderer(r);
        r.position = at;
        const float x = (rng_.U(1.0f) - 0.5f) * s;
        const float y = (rng_.U(1.0f) - 0.5f) * s;
        const float z = (rng_.U(1.0f) - 0.5f) * s;
        r.velocity = Vec3(x, y, z) + base;
        r.colour = colour;
    }
}

// A core or ring taking on its next stage on its own record (sprite 0 keeps
// the record's sprite).
void Simulation::becomeStage(Particle& p, int32_t kind, uint32_t sprite, const Vec3& colour, float size,
                             float life) {
    p.kind = kind;
    p.drag = 0.612f;
    if (sprite != 0) p.sprite = sprite;
    p.colour = colour;
    p.size = size;
    p.lifeSpan = life;
    p.lifeLeft = life;
    p.leavesTrail = 0;
}

// A new Flash where the record is: only these fields are set; the rest is
// the reused record's.
Particle& Simulation::newFlash(const Particle& at, const Vec3& colour, float size, float life) {
    Particle& f = pool_.allocate();
    f.kind = Flash;
    f.position = at.position;
    f.velocity = at.velocity;
    f.colour = colour;
    f.size = size;
    f.lifeSpan = life;
    f.lifeLeft = life;
    return f;
}

void Simulation::burstRingShell(Particle& p) {
    const Vec3 white(1.0f, 1.0f, 1.0f);
    becomeStage(p, RingCore, sprites_.GlowSprite, white, 300.0f, 4.0f);
    const Vec3 at = p.position, base = p.velocity;
    newFlash(p, white, 200.0f, 4.0f);

    // Two rings, each with its own colour and tilt; no straggler.
    const float speeds[2] = {350.0f, 600.0f};
    const float fuzz[2] = {30.0f, 50.0f};
    for (int ring = 0; ring < 2; ++ring) {
        const Vec3 colour = pickStarColour();
        const float a = rng_.U(kPi);
        const float bt = rng_.U(kPi);
        const float sinA = fsin(a), cosA = fcos(a), sinB = fsin(bt), cosB = fcos(bt);
        for (int i = 0; i < 90; ++i) {
            Particle& r = pool_.allocate();
            initStar(r);
            r.position = at;
            const float x = rng_.U(1.0f) - 0.5f;
            const float z = rng_.U(1.0f) - 0.5f;
            Vec3 d(x, 0.0f, z);
            d.normalise();
            const Vec3 dir = ringDirection(d.x, d.z, sinA, cosA, sinB, cosB);
            const float fx = speeds[ring] + rng_.U(fuzz[ring]);
            const float fy = speeds[ring] + rng_.U(fuzz[ring]);
            const float fz = speeds[ring] + rng_.U(fuzz[ring]);
            r.velocity.set(dir.x * fx + base.x, dir.y * fy + base.y, dir.z * fz + base.z);
            r.colour = colour;
            r.leavesTrail = 0;
            r.lifeSpan = 2.0f + rng_.U(2.0f);
            r.lifeLeft = r.lifeSpan;
        }
    }
}

void Simulation::ringCoreExpire(Particle& p) {
    const Vec3 white(1.0f, 1.0f, 1.0f);
    becomeStage(p, ShockRing, 0, white, 0.0f, 5.0f);
    const Vec3 at = p.position, base = p.velocity;
    newFlash(p, white, 300.0f, 3.0f);

    const Vec3 A = pickStarColour();
    for (int i = 0; i < 75; ++i) {
        Particle& r = pool_.allocate();
        initStar(r);
        flyOut(r, p, 100.0f, 10.0f);
        r.size = 100.0f;
        r.lifeSpan = 2.0f + rng_.U(2.0f);
        r.lifeLeft = r.lifeSpan;
        r.colour = A;
        r.leavesTrail = 0;
    }

    // A nearly flat disc of stars around the ring.
    const Vec3 B = pickStarColour();
    for (int i = 0; i < 150; ++i) {
        Particle& r = pool_.allocate();
        initStar(r);
        r.drag = 0.2f;
        r.position = at;
        const float x = rng_.U(1.0f) - 0.5f;
        const float y = rng_.U(0.03f) - 0.005f;
        const float z = rng_.U(1.0f) - 0.5f;
        Vec3 d(x, y, z);
        d.normalise();
        r.velocity = d * (500.0f + rng_.U(30.0f)) + base;
        r.size = 50.0f;
        r.lifeSpan = 3.0f + rng_.U(2.0f);
        r.lifeLeft = r.lifeSpan;
        r.colour = B;
        r.leavesTrail = 0;
    }
}

void Simulation::burstColumnShell(Particle& p) {
    becomeStage(p, ColumnCore, sprites_.SparkSprite, Vec3(1.0f, 1.0f, 1.0f), 0.0f, 4.0f);
    const Vec3 at = p.position, base = p.velocity;
    Particle& f = newFlash(p, Vec3(1.0f, 0.8f, 0.6f), 400.0f, 4.0f);
    f.sprite = sprites_.StarSprite;
    f.leavesTrail = 0;

    // Three flat discs, each with its own colour and speed.
    const float speeds[3] = {400.0f, 550.0f, 700.0f};
    const float fuzz[3] = {30.0f, 40.0f, 50.0f};
    for (int disc = 0; disc < 3; ++disc) {
        const Vec3 colour = pickStarColour();
        for (int i = 0; i < 80; ++i) {
            Particle& r = pool_.allocate();
            initStar(r);
            r.position = at;
            const float x = rng_.U(1.0f) - 0.5f;
            const float z = rng_.U(1.0f) - 0.5f;
            Vec3 d(x, 0.0f, z);
            d.normalise();
            const float fx = speeds[disc] + rng_.U(fuzz[disc]);
            const float vy = rng_.U(70.0f) - 35.0f;
            const float fz = speeds[disc] + rng_.U(fuzz[disc]);
            r.velocity.set(d.x * fx + base.x, vy + base.y, d.z * fz + base.z);
            r.colour = colour;
            r.lifeSpan = 2.0f + rng_.U(2.0f);
            r.lifeLeft = r.lifeSpan;
        }
    }
}

void Simulation::columnCoreExpire(Particle& p) {
    becomeStage(p, ColumnBurst, sprites_.GlowSprite, Vec3(0.6f, 0.6f, 1.0f), 0.0f, 5.0f);
    const Vec3 at = p.position, base = p.velocity;
    Particle& f = newFlash(p, Vec3(0.8f, 0.8f, 1.0f), 200.0f, 2.5f);
    f.drag = 0.0f;
    f.leavesTrail = 0;

    // Eight glows rising and sinking along the column, white at its heart,
    // red at its ends.
    struct Glow { float dy; Vec3 colour; float life; };
    static const Glow glows[8] = {
        {15.0f, {1.0f, 1.0f, 0.9f}, 3.0f},   {-15.0f, {1.0f, 1.0f, 0.9f}, 3.0f},
        {45.0f, {1.0f, 1.0f, 0.6f}, 3.5f},   {-45.0f, {1.0f, 1.0f, 0.6f}, 3.5f},
        {75.0f, {1.0f, 0.5f, 0.3f}, 4.0f},   {-75.0f, {1.0f, 0.5f, 0.3f}, 4.0f},
        {105.0f, {1.0f, 0.0f, 0.0f}, 4.5f},  {-105.0f, {1.0f, 0.0f, 0.0f}, 4.5f},
    };
    for (const Glow& g : glows) {
        Particle& r = pool_.allocate();
        initStar(r);
        r.position = at;
        r.velocity = base;
        r.velocity.y = r.velocity.y + g.dy;
        r.drag = 0.0f;
        r.size = 400.0f;
        r.leavesTrail = 0;
        r.colour = g.colour;
        r.lifeSpan = g.life;
        r.lifeLeft = g.life;
    }

    const Vec3 A = pickStarColour();
    for (int i = 0; i < 75; ++i) {
        Particle& r = pool_.allocate();
        initStar(r);
        flyOut(r, p, 600.0f, 100.0f);
        r.colour = A;
        r.lifeSpan = 2.0f + rng_.U(2.0f);
        r.lifeLeft = r.lifeSpan;
    }

    const Vec3 B = pickStarColour();
    for (int i = 0; i < 50; ++i) {
        Particle& r = pool_.allocate();
        initGlitterStar(r);
        r.drag = 0.3f;
        r.position = at;
        const float x = rng_.U(1.0f) - 0.5f;
        const float z = rng_.U(1.0f) - 0.5f;
        Vec3 d(x, 0.0f, z);
        d.normalise();
        const float fx = 1000.0f + rng_.U(100.0f);
        const float vy = rng_.U(100.0f) - 50.0f;
        const float fz = 1000.0f + rng_.U(100.0f);
        r.velocity.set(d.x * fx + base.x, vy + base.y, d.z * fz + base.z);
        r.colour = B;
        r.size = 100.0f;
        r.lifeSpan = 3.0f + rng_.U(6.0f);
        r.lifeLeft = r.lifeSpan;
    }
}

}  // namespace lumora
