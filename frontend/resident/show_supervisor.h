// Starting a show and watching for its end, with the four timers of the
// resident form as plain flags the platform mirrors onto real timers.
//
// The front end knows a show runs only by a top-level window titled
// "Lumora_VC". Two things differ from the plain rule on purpose:
//  - After a start, the show counts as over only once the renderer's window
//    has existed or the renderer process has ended (or a bounded wait has
//    passed), so the first supervision tick cannot stop the music of a show
//    whose window is still being created.
//  - The end of a show stops the music that show started, whatever the music
//    settings say by then (a change made during the show would otherwise leave
//    an MP3 restarting every second, or a WAV looping, for good).
//  - A start that fails tells the user (a balloon on the tray icon); a show
//    keeps the display on while it runs (an alarm show at 7:00 must not play
//    to a screen that timed out); its end lets the display sleep again and
//    lets go of the renderer's process.
#pragma once

#include <cstdint>

#include "frontend/music/music.h"
#include "common/settings/settings.h"

namespace lumora {

class ShowPlatform {
public:
    virtual ~ShowPlatform() = default;
    // Starts the renderer beside the front end, no arguments; false on failure.
    virtual bool startRenderer() = 0;
    // Whether a top-level window titled "Lumora_VC" exists.
    virtual bool rendererWindowExists() = 0;
    // Whether the renderer process started last is still running.
    virtual bool rendererRunning() = 0;
    // The show started last has ended: its process is of no more interest.
    virtual void releaseRenderer() = 0;
    // Tells the user that a show could not start.
    virtual void reportStartFailure() = 0;
    // Asks the system to keep the display on (true) or lets it sleep again.
    virtual void keepDisplayOn(bool on) = 0;
};

struct FormTimers {
    bool Timer3 = true;           // 50 ms, show supervision (enabled at load)
    bool Timer2 = false;          // 200 ms, CD poll
    bool Timer1 = false;          // 1000 ms, MP3 repeat
    bool tmrChangeTime = false;   // 1000 ms, alarm check
};

class ShowSupervisor {
public:
    static constexpr uint32_t kLaunchWaitMs = 15000;

    ShowSupervisor(ShowPlatform& platform, Music& music, const Settings& live)
        : platform_(platform), music_(music), live_(live) {}

    // The tray menu's first entry and the alarm. `nowMs` is a monotonic clock.
    void StartShow(uint32_t nowMs);
    // Timer3's tick.
    void EndOfShow(uint32_t nowMs);
    // Timer2's and Timer1's ticks.
    void Timer2Tick();
    void Timer1Tick();

    FormTimers timers;

private:
    ShowPlatform& platform_;
    Music& music_;
    const Settings& live_;
    bool awaitingWindow_ = false;
    uint32_t launchedAt_ = 0;
    bool showStarted_ = false;
    bool playingWav_ = false;
    bool playingMp3_ = false;
};

}  // namespace lumora
