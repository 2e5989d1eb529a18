// The sound's own random generator: noise, crackle timing and each sound's
// seed come from here, never from the show's generator (Rand15), so that
// hearing the show can neither change it nor be changed by how it is drawn.
//
// A 32-bit xorshift: three shifts per draw, cheap enough for one draw per
// sample and voice. The same seed gives the same sequence on every build.
#pragma once

#include <cstdint>

namespace lumora {

class SoundRandom {
public:
    explicit SoundRandom(uint32_t seed = 1) { reseed(seed); }

    // Zero is xorshift's one fixed point: it would give silence for ever.
    void reseed(uint32_t seed) { state_ = seed != 0 ? seed : 0x6D2B79F5u; }

    uint32_t next() {
        uint32_t x = state_;
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        state_ = x;
        return x;
    }

    // Uniform in [0, 1).
    float uniform() { return static_cast<float>(next() >> 8) * (1.0f / 16777216.0f); }
    // Uniform in [-1, 1): white noise of variance 1/3.
    float bipolar() { return static_cast<float>(static_cast<int32_t>(next())) * (1.0f / 2147483648.0f); }

private:
    uint32_t state_ = 1;
};

// Mixes a show's seed into a well-spread sound seed (two rounds of a
// 32-bit integer hash), so that neighbouring seeds give unrelated noise.
inline uint32_t soundSeed(uint32_t showSeed) {
    uint32_t x = showSeed + 0x9E3779B9u;
    x = (x ^ (x >> 16)) * 0x7FEB352Du;
    x = (x ^ (x >> 15)) * 0x846CA68Bu;
    return x ^ (x >> 16);
}

}  // namespace lumora
