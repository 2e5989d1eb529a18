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
    } else if (gain_ < 1.0f) {
        gain_ += (1.0f - gain_) * release_;
        if (gain_ > 0.99999f) gain_ = 1.0f;
    }
    // The ceiling a hair lower in the division, so that rounding in the
    // product below can never land above it.
    if (peak * gain_ > kCeiling) {
        gain_ = kCeiling * 0.99999f / peak;
        hold_ = holdSamples_;
    }
    left *= gain_;
    right *= gain_;
}

}  // namespace lumora
