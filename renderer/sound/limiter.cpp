// The master limiter; see limiter.h.
#include "renderer/sound/limiter.h"

#include <cmath>

namespace lumora {

Limiter::Limiter(int sampleRate)
    : holdSamples_(sampleRate / 100),
      release_(static_cast<float>(1.0 - std::exp(-1.0 / (0.15 * static_cast<double>(sampleRate))))) {}

void Limiter::process(float& left, float& right) {
    if (!std::isfinite(left) || !std::isfinite(right)) {
        left = right = 0.0f;
        return;
    }
    const float peak = std::fabs(left) > std::fabs(right) ? std::fabs(left) : std::fabs(right);
    if (hold_ > 0) {
        --hold_;
    } else if (reduction_ > 0.0f) {
        // The reduction (1 - gain) is the state and shrinks by a constant
        // factor: stepping the gain itself would stall a few ulps short of 1.
        reduction_ *= 1.0f - release_;
        if (reduction_ < 1e-5f) reduction_ = 0.0f;
    }
    float gain = 1.0f - reduction_;
    // The ceiling a hair lower in the division, so that rounding in the
    // product below can never land above it.
    if (peak * gain > kCeiling) {
        gain = kCeiling * 0.99999f / peak;
        reduction_ = 1.0f - gain;
        hold_ = holdSamples_;
    }
    left *= gain;
    right *= gain;
}

}  // namespace lumora
