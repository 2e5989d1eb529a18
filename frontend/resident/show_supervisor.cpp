// Show launch and supervision; see show_supervisor.h.
#include "frontend/resident/show_supervisor.h"

namespace lumora {

void ShowSupervisor::StartShow(uint32_t nowMs) {
    // A failed start is reported and changes nothing else: no music, no
    // timer, the alarm stays armed.
    if (!platform_.startRenderer()) {
        platform_.reportStartFailure();
        return;
    }
    platform_.keepDisplayOn(true);
    awaitingWindow_ = true;
    launchedAt_ = nowMs;
    showStarted_ = true;
    if (live_.BgmSource == 1) {
        music_.BgmCdOpen();
        timers.Timer2 = true;  // the first poll, 200 ms later, starts playback
    }
    if (live_.BgmSource == 2) {
        switch (musicFileKind(live_.BgmFile)) {
        case MusicFileKind::Wav:
            music_.BgmWavPlay();
            playingWav_ = true;
            break;
        case MusicFileKind::Mp3:
            music_.BgmMp3Open();
            timers.Timer1 = true;
            playingMp3_ = true;
            break;
        case MusicFileKind::None:
            break;
        }
    }
    timers.Timer3 = true;
    timers.tmrChangeTime = false;  // no alarm while a show runs
}

void ShowSupervisor::EndOfShow(uint32_t nowMs) {
    if (platform_.rendererWindowExists()) {
        awaitingWindow_ = false;
        return;
    }
    if (awaitingWindow_) {
        // The window is still being created: wait while the renderer runs,
        // for a bounded time.
        if (platform_.rendererRunning() && nowMs - launchedAt_ < kLaunchWaitMs) return;
        awaitingWindow_ = false;
    }
    timers.Timer3 = false;
    timers.tmrChangeTime = true;
    if (timers.Timer2) {
        // Only while the poll runs: a poll that stopped itself after an error
        // leaves the device as it is.
        timers.Timer2 = false;
        music_.BgmCdClose();
    }
    if (showStarted_) {
        platform_.keepDisplayOn(false);
        platform_.releaseRenderer();
        if (playingWav_) music_.BgmWavStop();
        if (playingMp3_) {
            timers.Timer1 = false;
            music_.BgmMp3Close();
        }
    } else if (live_.BgmSource == 2) {
        // The tick at start-up, before any show: the stop commands of the
        // configured kind, which find nothing playing.
        switch (musicFileKind(live_.BgmFile)) {
        case MusicFileKind::Wav: music_.BgmWavStop(); break;
        case MusicFileKind::Mp3:
            timers.Timer1 = false;
            music_.BgmMp3Close();
            break;
        case MusicFileKind::None: break;
        }
    }
    playingWav_ = playingMp3_ = false;
    showStarted_ = false;
}

void ShowSupervisor::Timer2Tick() {
    music_.BgmCdPoll();
    timers.Timer2 = music_.CdPolling;
}

void ShowSupervisor::Timer1Tick() { music_.BgmMp3Repeat(); }

}  // namespace lumora
