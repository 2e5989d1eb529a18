// The simulation step, the launcher and the initialisers of the launched
// kinds (Shell, Fountain, Pinwheel), and the random star colour.
//
// Order of random draws matters everywhere: each draw is its own statement,
// never two in one expression (C++ leaves argument order open).
#include "renderer/sim/simulation.h"

#include <cmath>
#include <limits>

namespace lumora {

int truncToInt(float v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0f) return std::numeric_limits<int>::max();
    if (v <= -2147483648.0f) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

std::array<float, 8> makeTrailLifeTable(int32_t smokeSpan) {
    std::array<float, 8> t{0.4f, 0.8f, 0.4f, 2.0f, 0.4f, 0.8f, 0.4f, 4.0f};
    const float span = static_cast<float>(smokeSpan);
    for (float& e : t)
        if (e > span) e = span;
    if (t[7] < span) t[7] = span;
    return t;
}

Simulation::Simulation(Rand15& rng, const Settings& settings, const SpriteSet& sprites, CloudLightTarget* clouds)
    : rng_(rng), settings_(settings), sprites_(sprites), clouds_(clouds), pool_(sprites.StarSprite) {
    // The trail table exists only where smoke does (a negative span counts as
    // none: it would make every puff immortal).
    if (smokeSpan() != 0) trailLife_ = makeTrailLifeTable(smokeSpan());
}

void Simulation::simulationStep(float dt, const Vec3& eye, const Vec3& back) {
    dt_ = dt;
    if (firstStep_) {
        firstStep_ = false;
        launchInterval = 10.0f / static_cast<float>(settings_.MaxFireworks);
        smokeGrey = static_cast<float>(settings_.AmbientBrightness) * 0.01f;
    }

    // Light added to smoke last frame is discarded; illumination adds it anew.
    refreshSmokeIndex();
    for (Particle* p : smokeIndex_) p->colour.set(smokeGrey, smokeGrey, smokeGrey);
    inStep_ = true;

    // The pace of the show changes every 10 to 40 seconds.
    intervalTimer = intervalTimer - dt;
    if (intervalTimer <= 0.0f) {
        const float u = rng_.U(4.0f);
        launchInterval = 10.0f / static_cast<float>(settings_.MaxFireworks) + u * u;
        intervalTimer = 10.0f + rng_.U(30.0f);
    }

    launchTimer = launchTimer - dt;
    if (launchTimer <= 0.0f) {
        if (shellsInFlight < settings_.MaxFireworks) {
            Particle& p = pool_.allocate();
            if (rng_.R(30) != 0) {
                initShell(p);
                p.programme = pickProgramme();
                ++shellsInFlight;
                // The motor burns while the life fraction is above thrustEnd.
                if (events_) report(SimEventKind::ShellLaunch, p, p.lifeSpan * (1.0f - p.thrustEnd));
            } else {
                // One to three fountains go up together.
                initFountain(p);
                if (events_) report(SimEventKind::FountainLit, p, p.lifeSpan);
                const int more = rng_.R(2);
                for (int i = 0; i < more; ++i) {
                    Particle& f = pool_.allocate();
                    initFountain(f);
                    if (events_) report(SimEventKind::FountainLit, f, f.lifeSpan);
                }
            }
        }
        if (settings_.MaxFireworks != 0) {
            const float r = static_cast<float>(rng_.next());
            launchTimer = r * launchInterval * (1.0f / 32767.0f);
        } else {
            launchTimer = 60.0f;
        }
    }

    // The update pass. Records allocated on the way are appended behind the
    // live ones (or taken from the free cursor there), so the walk reaches and
    // updates them in this same pass.
    shellsInFlight = 0;
    pool_.forEachLive([&](Particle& p) {
        updateParticle(p);
        if (p.kind == Shell) ++shellsInFlight;
        ParticlePool::computeDepthKey(p, eye, back);
        if (p.lifeFraction <= 0.0f || p.position.y < 0.0f) {
            switch (p.kind) {
            case Shell:
                // A shell that sank into the ground bounces and bursts there.
                if (p.position.y <= 0.0f) {
                    p.position.y = 0.1f;
                    p.velocity.y = p.velocity.y * -0.7f;
                }
                if (p.programme == 18) {
                    initPinwheel(p);
                    if (events_) report(SimEventKind::PinwheelLit, p, p.lifeSpan);
                } else {
                    const uint64_t before = pool_.allocations();
                    burst(p);
                    if (events_) report(SimEventKind::Burst, p, 0.0f, before);
                }
                break;
            case TimerStar: {
                const uint64_t before = pool_.allocations();
                bool broke = true;
                switch (p.programme) {
                case 5: p.programme = 100; burst(p); break;
                case 6: p.programme = 101; burst(p); break;
                case 7: p.programme = 102; burst(p); break;
                case 8:
                    broke = false;
                    // The crackle pop: a short warm star.
                    p.kind = Star;
                    p.colour.set(1.0f, 0.8f, 0.6f);
                    p.lifeSpan = 0.2f;
                    p.lifeLeft = 0.2f;
                    if (events_) report(SimEventKind::CracklePop, p, 0.0f);
                    break;
                default: broke = false; break;
                }
                if (events_ && broke) report(SimEventKind::TimerBreak, p, 0.0f, before);
                break;
            }
            case RingCore:
            case ColumnCore: {
                const uint64_t before = pool_.allocations();
                if (p.kind == RingCore) ringCoreExpire(p);
                else columnCoreExpire(p);
                if (events_) report(SimEventKind::SecondStage, p, 0.0f, before);
                break;
            }
            default: ParticlePool::release(p); break;
            }
        }
    });

    inStep_ = false;
    pool_.sortAndRecycle();
}

void Simulation::report(SimEventKind kind, const Particle& p, float duration, uint64_t madeSince) {
    SimEvent e;
    e.kind = kind;
    e.recordKind = p.kind;
    e.programme = p.programme;
    // A ring core becomes a shock ring and a column core a column burst; the
    // programme they carry is their shell's, whatever the record held before.
    if (kind == SimEventKind::SecondStage) e.programme = p.kind == ShockRing ? 19u : 20u;
    const uint64_t made = pool_.allocations() - madeSince;
    e.stars = made > 2147483647u ? 2147483647 : static_cast<int32_t>(made);
    e.duration = duration;
    e.position = p.position;
    events_->push_back(e);
}

void Simulation::refreshSmokeIndex() {
    smokeIndex_.clear();
    pool_.forEachNodeLive([&](Particle& p) {
        if (p.kind == Smoke) smokeIndex_.push_back(&p);
    });
}

uint32_t Simulation::pickProgramme() {
    if (rng_.R(3000) == 0) return rng_.R(2) == 0 ? 20u : 19u;
    if (rng_.R(2) != 0) {
        if (rng_.R(10) != 0) return static_cast<uint32_t>(rng_.R(2));
        return 2;
    }
    if (rng_.R(3) == 0) return 3u + static_cast<uint32_t>(rng_.R(3));
    if (rng_.R(2) != 0) {
        if (rng_.R(2) == 0) return 8u + static_cast<uint32_t>(rng_.R(4));
        return 6u + static_cast<uint32_t>(rng_.R(2));
    }
    if (rng_.R(2) == 0) return 15u + static_cast<uint32_t>(rng_.R(4));
    return 12u + static_cast<uint32_t>(rng_.R(3));
}

void Simulation::initShell(Particle& p) {
    p.kind = Shell;
    const float x = rng_.U(200.0f) - 100.0f;
    const float z = rng_.U(200.0f) - 100.0f;
    p.position.set(x, 5.0f, z);
    p.previousPosition.set(x, 4.0f, z);
    p.velocity.set(0.0f, 60.0f, 0.0f);
    const float red = 0.3f + rng_.U(0.7f);
    const float green = 0.3f + rng_.U(0.7f);
    p.colour.set(red, green, 0.3f);
    p.size = 1.0f;
    p.drag = 0.281f;
    p.brightness = 0.0f;
    p.lifeSpan = 5.0f + rng_.U(2.0f);
    p.lifeLeft = p.lifeSpan;
    p.thrust = 200.0f + rng_.U(100.0f);
    p.thrustEnd = 0.3f + rng_.U(0.1f);
    p.spinRate = rng_.U(40.0f) - 20.0f;
    const float r = static_cast<float>(rng_.next());
    p.swirl = r * (std::fabs(p.spinRate) * 30.0f) * (1.0f / 32767.0f);
    // The cosine and sine of the rate value itself.
    p.axis.set(fcos(p.spinRate), 0.0f, fsin(p.spinRate));
    if (rng_.R(200) == 0) {
        // A shell that veers steadily to one side.
        p.spinRate = 0.0f;
        p.swirl = 75.0f + rng_.U(100.0f);
        const float a = rng_.U(kTwoPi);
        p.axis.set(fcos(a), 0.0f, fsin(a));
    }
    p.leavesTrail = 1;
    p.trailCarry = 0.0f;
    p.emitCarry = 0.0f;
    p.programme = 0;
}

void Simulation::initFountain(Particle& p) {
    p.kind = Fountain;
    p.sprite = sprites_.StarSprite;
    p.size = 30.0f;
    const float x = rng_.U(300.0f) - 150.0f;
    const float z = rng_.U(300.0f) - 150.0f;
    p.position.set(x, 5.0f, z);
    p.colour = pickStarColour();
    p.brightness = 0.0f;
    p.leavesTrail = 0;
    p.lifeSpan = 10.0f + rng_.U(5.0f);
    p.lifeLeft = p.lifeSpan;
}

void Simulation::initPinwheel(Particle& p) {
    p.kind = Pinwheel;
    p.sprite = sprites_.StarSprite;
    p.drag = 0.612f;
    p.size = 20.0f;
    p.colour = pickStarColour();
    p.spinRate = 12.0f + rng_.U(3.0f);
    p.swirl = rng_.U(kTwoPi);
    const float ax = rng_.U(2.0f) - 1.0f;
    const float ay = rng_.U(2.0f) - 1.0f;
    const float az = rng_.U(2.0f) - 1.0f;
    p.axis.set(ax, ay, az);
    p.axis.normalise();
    p.brightness = 0.0f;
    p.leavesTrail = 1;
    p.emitCarry = 0.0f;
    p.lifeSpan = 6.0f + rng_.U(2.0f);
    p.lifeLeft = p.lifeSpan;
}

Vec3 Simulation::pickStarColour() {
    int i = rng_.R(6);
    if (i == 6) i = 5;  // the one draw in 32768 beyond the table takes its last row
    // One channel full, one uniform in 0..1 (drawn first), one in 0..0.2.
    const float wide = rng_.U(1.0f);
    const float narrow = rng_.U(0.2f);
    switch (i) {
    case 0: return {1.0f, wide, narrow};
    case 1: return {1.0f, narrow, wide};
    case 2: return {wide, 1.0f, narrow};
    case 3: return {narrow, 1.0f, wide};
    case 4: return {wide, narrow, 1.0f};
    default: return {narrow, wide, 1.0f};
    }
}

}  // namespace lumora
