// The show's clock conversion and frame pacing; see frame_pacing.h.
#include "renderer/frame/frame_pacing.h"

namespace lumora {

uint64_t unitsFromCounter(uint64_t counter, uint64_t frequency, uint64_t unitsPerSecond) {
    if (frequency == 0) return 0;
    // In two parts, so that counter * units cannot overflow however long the
    // machine has been up (the remainder is below the frequency).
    const uint64_t whole = counter / frequency, part = counter % frequency;
    return whole * unitsPerSecond + part * unitsPerSecond / frequency;
}

FramePacer::FramePacer(uint32_t refreshHz) {
    // Displays run from about 24 to a few hundred hertz; anything else is a
    // driver's placeholder.
    const uint32_t hz = refreshHz >= 20 && refreshHz <= 1000 ? refreshHz : 60;
    periodUs_ = 1000000u / hz;
}

uint64_t FramePacer::waitUs(uint64_t nowUs) const {
    if (!started_ || nowUs >= nextUs_) return 0;
    return nextUs_ - nowUs;
}

void FramePacer::frameStarted(uint64_t nowUs) {
    if (!started_ || nowUs >= nextUs_ + periodUs_) nextUs_ = nowUs + periodUs_;
    else nextUs_ += periodUs_;
    started_ = true;
}

}  // namespace lumora
