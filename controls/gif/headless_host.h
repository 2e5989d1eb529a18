// A GifHost with no window: the timer is a flag that `fire()` delivers, the
// client size is a value, and repaints, resizes and LoopsEnded are counted.
// lumora-gif, the fuzzer and the tests drive a GifPlayer through it.
#pragma once

#include <vector>

#include "controls/gif/gif_player.h"

namespace lumora {

class HeadlessGifHost : public GifHost {
public:
    // Set to route resizes (as WM_SIZE would) and fired timers to a player.
    GifPlayer* player = nullptr;
    bool timersWork = true;  // false: setTimer fails, as SetTimer can

    bool timerSet = false;
    uint32_t timerMs = 0;
    int timersStarted = 0;
    Size client{100, 100};
    std::vector<Size> resizes;
    int invalidations = 0;
    int loopsEndedCount = 0;

    bool setTimer(uint32_t milliseconds) override {
        if (!timersWork) return false;
        timerSet = true;
        timerMs = milliseconds;
        ++timersStarted;
        return true;
    }
    void killTimer() override { timerSet = false; }
    void invalidate() override { ++invalidations; }
    void resizeControl(int32_t widthPx, int32_t heightPx) override {
        client = {widthPx, heightPx};
        resizes.push_back(client);
        if (player) player->onResize();
    }
    Size clientSize() const override { return client; }
    void loopsEnded() override { ++loopsEndedCount; }

    // Delivers the timer once, if it is set: false when there was none.
    bool fire() {
        if (!timerSet || !player) return false;
        player->onTimer();
        return true;
    }
};

}  // namespace lumora
