// The sound of a live show, shared by the show's thread and an audio thread:
// the show posts each frame's show time and placed sounds, the audio thread
// asks for samples whenever its device wants them.
//
// The audio thread plays at the device's pace, the show at the frame
// driver's. The mixer's playhead follows the show: on the first render
// after each post it compares itself with that frame's show time plus the
// device's latency (so a sound is heard when it is due) and jumps there
// when it is more than 0.1 s off. Between posts it runs on at the device's
// pace. A jump forward (the show fast-forwarding, or a device that started
// late) drops the sounds whose time has passed instead of crowding them
// together; a jump back makes the queued ones wait.
//
// Both sides take one short lock; the audio thread allocates nothing in the
// usual run. If nobody renders (no device, or one that failed), posts stop
// piling up once the inbox is full.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "renderer/sound/mixer.h"

namespace lumora {

class SoundStream {
public:
    static constexpr int64_t kResyncSamples = kSampleRate / 10;
    static constexpr std::size_t kMaxInbox = 8192;

    // `volume` 0..100; `leadSeconds`: the output's latency.
    SoundStream(int32_t volume, double leadSeconds);

    // The output's latency once its device is open: before the first
    // render, or from the rendering thread.
    void setLead(double leadSeconds);

    // Show thread: after a frame, its show time and the sounds it placed.
    void post(double showTime, const std::vector<SoundCue>& cues);

    // Audio thread: the next `frames` interleaved 16-bit stereo samples.
    void render(int16_t* interleaved, int frames);

    // For tests and logs (audio thread's view).
    const Mixer& mixer() const { return mixer_; }
    uint64_t refused() const;

private:
    mutable std::mutex mutex_;
    std::vector<SoundCue> inbox_;
    double showTime_ = 0.0;
    uint64_t posts_ = 0;
    uint64_t refused_ = 0;

    // Audio thread only.
    uint64_t postsSeen_ = 0;
    std::vector<SoundCue> taken_;
    Mixer mixer_;
    int64_t lead_ = 0;
};

}  // namespace lumora
