// The seed-exact trace of a headless show: one line per frame with the frame
// number, the generator's call count, the live records, the shells in flight
// and a 64-bit FNV-1a hash of the camera and every live record.
#pragma once

#include <cstdint>
#include <string>

#include "renderer/frame/frame_driver.h"

namespace lumora {

class Fnv1a64 {
public:
    void bytes(const void* data, std::size_t n);
    void u32(uint32_t v);
    void f32(float v);
    uint64_t value() const { return h_; }

private:
    uint64_t h_ = 0xcbf29ce484222325ull;
};

// Hash of eye, target and, for each live record in pool order, kind,
// position, velocity, colour, lifeSpan, lifeLeft, brightness, size and
// lifeFraction, each as 4 little-endian bytes.
uint64_t hashShowState(const FrameDriver& driver);

// "<frame> <rng> <live> <shells> <hash>" for the frame just run.
std::string traceLine(const FrameDriver& driver);

// Sets one of the eight renderer settings, or EffectsVolume (clamped to
// 0..100), by field name; false for an unknown name.
bool setRendererSetting(Settings& settings, const std::string& name, int32_t value);

}  // namespace lumora
