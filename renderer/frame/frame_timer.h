// The frame step: the mean of the last five frame times, from whole-millisecond
// timer samples the platform passes in (the timer itself is not read here).
#pragma once

#include <cstdint>

namespace lumora {

class FrameTimer {
public:
    // Takes the timer's reading for this tick and updates dt.
    void tick(uint32_t nowMs);

    float dt = 0.0f;
    float frameTimes[5] = {0.03f, 0.03f, 0.03f, 0.03f, 0.03f};
    int32_t frameTimeIndex = 0;
    uint32_t lastTime = 0;
    bool started = false;
};

}  // namespace lumora
