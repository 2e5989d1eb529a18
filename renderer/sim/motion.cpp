// updateParticle: boost and corkscrew of a climbing shell, the weave of a
// wanderer, gravity, drag, the move with its height-dependent wind, ageing and
// the per-kind rules that turn age into brightness, size and colour; then the
// emitters and the interactions. It never ends a record: the step does that.
#include "renderer/sim/simulation.h"

namespace lumora {

void Simulation::updateParticle(Particle& p) {
    const float dt = dt_;

    // Boost and swirl while the motor burns. The lifeFraction read here is
    // the one left by the previous update (a recycled record may carry any).
    if (p.kind == Shell && p.lifeFraction > p.thrustEnd) {
        const Vec3 d = p.velocity.normalised();
        p.axis = d.cross(p.axis).cross(d);  // kept perpendicular to the flight
        p.axis.normalise();
        const Mat4 m = Mat4::fromQuat(Quat::fromAngleAxis(dt * p.spinRate, d));
        p.axis = p.axis.rotated(m);
        p.velocity += d * (dt * p.thrust);
        p.velocity += p.axis * (dt * p.swirl);
    }

    if (p.kind == Wanderer) {
        // The three phases live in axis.
        p.velocity.x = p.velocity.x + fcos(p.axis.x) * dt * 800.0f;
        p.velocity.y = p.velocity.y + (fcos(p.axis.y) - 0.2f) * dt * 800.0f;
        p.velocity.z = p.velocity.z + fcos(p.axis.z) * dt * 800.0f;
    }

    if (p.kind != Smoke) p.velocity.y = p.velocity.y - 32.0f * dt;

    const float k = 1.0f / (1.0f + dt * p.drag);
    p.velocity = p.velocity * (k * k);

    if (p.kind != Fountain) {
        p.previousPosition = p.position;
        p.position += p.velocity * dt;
        // Low smoke drifts towards +x, bursts near height 800 towards -x.
        const float y = p.position.y;
        const float factor = 0.1f - 0.00175f * y + 0.0000011f * (y * y);
        p.position.x = p.position.x + factor * static_cast<float>(settings_.WindSpeed) * dt;
    }

    p.lifeLeft = p.lifeLeft - dt;

    const float f = p.lifeLeft / p.lifeSpan;
    switch (p.kind) {
    case Shell:
        p.lifeFraction = f;
        if (f > p.thrustEnd) {
            p.brightness = p.brightness + 2.0f * dt;
            if (p.brightness > 1.0f) p.brightness = 1.0f;
        } else {
            p.brightness = p.brightness - dt;
            if (p.brightness < 0.0f) p.brightness = 0.0f;
        }
        break;
    case Fountain:
    case Pinwheel: {
        p.lifeFraction = f;
        p.brightness = f * f;
        const float age = p.lifeSpan - p.lifeLeft;
        if (age < 0.5f) p.brightness = p.brightness * (2.0f * age);  // fade in
        break;
    }
    case Smoke:
        p.lifeFraction = f;
        p.brightness = 0.7f * f;
        p.size = p.size + (30.0f - p.size) * (1.2f * dt);
        break;
    case Flash:
        p.lifeFraction = f;
        p.brightness = f * f;
        break;
    case Star:
    case GlitterStar:
    case TailStar: {
        const float t = (p.lifeSpan - p.lifeLeft) / p.lifeSpan;
        const float t2 = t * t;
        p.lifeFraction = 1.0f - t2 * t2;
        p.brightness = p.lifeFraction;
        break;
    }
    case TimerStar:
        p.lifeFraction = p.lifeLeft;  // seconds left, not a fraction
        break;
    case Wanderer: {
        const float t = (p.lifeSpan - p.lifeLeft) / p.lifeSpan;
        const float t2 = t * t;
        p.lifeFraction = 1.0f - t2 * t2;
        p.brightness = p.lifeFraction;
        p.axis.x = p.axis.x + dt * p.thrust;
        p.axis.y = p.axis.y + dt * p.thrustEnd;
        p.axis.z = p.axis.z + dt * p.spinRate;
        break;
    }
    case RingCore:
        p.lifeFraction = f;
        p.brightness = f;
        p.size = 250.0f * f;
        break;
    case ShockRing:
        p.lifeFraction = f;
        p.brightness = f;
        p.colour.z = (f + 1.0f) * 0.5f;
        p.size = p.size + 400.0f * dt;
        break;
    case ColumnCore: {
        p.lifeFraction = f;
        const float u = 1.0f - f;
        p.brightness = 1.0f - u * u;
        p.size = 400.0f * p.brightness;
        break;
    }
    case ColumnBurst:
        p.lifeFraction = f;
        p.brightness = 2.0f * f - 1.0f;
        if (p.brightness < 0.0f) p.brightness = 0.0f;
        p.size = p.size + 1500.0f * dt;
        break;
    default:
        break;
    }

    emitTrails(p);

    if (settings_.Illumination != 0 && (p.kind == Shell || p.kind == Fountain || p.kind == Flash)) illuminate(p);
    if (p.kind == RingCore) ringCorePull(p);
    if (p.kind == ShockRing) shockRingPush(p);
    if (p.kind == ColumnCore) columnCorePull(p);
}

}  // namespace lumora
