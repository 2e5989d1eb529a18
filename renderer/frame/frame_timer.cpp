// Frame timing; see frame_timer.h.
#include "renderer/frame/frame_timer.h"

namespace lumora {

void FrameTimer::tick(uint32_t nowMs) {
    if (!started) {
        started = true;
        lastTime = nowMs;  // the first sample is therefore 0
    }
    const uint32_t previous = lastTime;
    lastTime = nowMs;
    float sample;
    if (nowMs < previous) {
        sample = dt;  // the millisecond counter wrapped (every 49.7 days)
    } else {
        // A sample above one second counts as one second: after a suspended
        // machine or a paused process the raw gap would make dt a fifth of the
        // pause for five frames, and the emitters whose rates grow with a
        // life far below zero would allocate without bound.
        uint32_t gap = nowMs - previous;
        if (gap > 1000u) gap = 1000u;
        sample = static_cast<float>(gap) * 0.001f;
    }
    frameTimes[frameTimeIndex] = sample;
    frameTimeIndex += 1;
    dt = (frameTimes[0] + frameTimes[1] + frameTimes[2] + frameTimes[3] + frameTimes[4]) * 0.2f;
    if (frameTimeIndex == 5) frameTimeIndex = 0;
}

}  // namespace lumora
