// The renderer's one random generator and the range helpers built on it.
//
// Every random draw of the show goes through one Rand15: the scene set-up, the
// camera and the simulation share it, so the order of calls fixes the show for
// a seed. The generator counts its calls so tools can report how many draws a
// run made. Nothing here reads a clock; the caller supplies the seed.
#pragma once

#include <cstdint>

namespace lumora {

class Rand15 {
public:
    explicit Rand15(uint32_t seed = 0) : state_(seed) {}

    void seed(uint32_t s) { state_ = s; }

    // state = state * 214013 + 2531011 (wrapping); result = bits 16..30.
    int next() {
        state_ = state_ * 214013u + 2531011u;
        ++calls_;
        return static_cast<int>((state_ >> 16) & 32767u);
    }

    // R(n): an integer 0..n, n only for the draw 32767; 32-bit signed
    // arithmetic, truncated.
    int R(int n) { return next() * n / 32767; }

    // U(a): a float in 0..a, computed as float(r) * (a / 32767).
    float U(float a) { return static_cast<float>(next()) * (a / 32767.0f); }

    // U(a, b) as the camera draws it: a + (float(r) * (b - a)) / 32767.
    float U(float a, float b) { return a + (static_cast<float>(next()) * (b - a)) / 32767.0f; }

    uint64_t calls() const { return calls_; }
    uint32_t state() const { return state_; }

private:
    uint32_t state_;
    uint64_t calls_ = 0;
};

}  // namespace lumora
