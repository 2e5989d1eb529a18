// Trace lines and the state hash; see trace.h.
#include "renderer/headless/trace.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace lumora {

void Fnv1a64::bytes(const void* data, std::size_t n) {
    const auto* p = static_cast<const uint8_t*>(data);
    for (std::size_t i = 0; i < n; ++i) {
        h_ ^= p[i];
        h_ *= 0x100000001b3ull;
    }
}

void Fnv1a64::u32(uint32_t v) {
    const uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                          static_cast<uint8_t>(v >> 24)};
    bytes(b, 4);
}

void Fnv1a64::f32(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    u32(bits);
}

uint64_t hashShowState(const FrameDriver& driver) {
    Fnv1a64 h;
    const Camera& cam = driver.camera();
    for (float v : {cam.eye.x, cam.eye.y, cam.eye.z, cam.target.x, cam.target.y, cam.target.z}) h.f32(v);
    const ParticlePool& pool = driver.simulation().pool();
    for (const ParticlePool::Node* n = pool.first(); !pool.atEnd(n) && n->particle.isLive(); n = n->next) {
        const Particle& p = n->particle;
        h.u32(static_cast<uint32_t>(p.kind));
        for (float v : {p.position.x, p.position.y, p.position.z, p.velocity.x, p.velocity.y, p.velocity.z,
                        p.colour.x, p.colour.y, p.colour.z, p.lifeSpan, p.lifeLeft, p.brightness, p.size,
                        p.lifeFraction})
            h.f32(v);
    }
    return h.value();
}

std::string traceLine(const FrameDriver& driver) {
    char line[128];
    std::snprintf(line, sizeof line, "%" PRIu64 " %" PRIu64 " %zu %d %016" PRIx64, driver.framesRun(),
                  driver.randomCalls(), driver.simulation().pool().liveCount(),
                  static_cast<int>(driver.simulation().shellsInFlight), hashShowState(driver));
    return line;
}

bool setRendererSetting(Settings& s, const std::string& name, int32_t value) {
    if (name == "MaxFireworks") s.MaxFireworks = value;
    else if (name == "SmokeSpan") s.SmokeSpan = value;
    else if (name == "WindSpeed") s.WindSpeed = value;
    else if (name == "AmbientBrightness") s.AmbientBrightness = value;
    else if (name == "StarDensity") s.StarDensity = value;
    else if (name == "LensFlareBrightness") s.LensFlareBrightness = value;
    else if (name == "Weather") s.Weather = value;
    else if (name == "Illumination") s.Illumination = value;
    else if (name == "EffectsVolume") s.EffectsVolume = clampEffectsVolume(value);
    else return false;
    return true;
}

}  // namespace lumora
