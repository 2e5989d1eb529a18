// The mixer: 48 kHz stereo, sounds started on their own sample, a bounded
// number of voices (when all are busy the quietest gives way, the newcomer
// included), the volume and the master limiter.
//
// It is timed by samples of show time only: `render` advances its playhead
// by the samples it makes, and a sound starts when the playhead reaches the
// cue's start sample. Nothing here reads a clock or knows about threads;
// sound_stream.h puts it behind a lock for an audio thread.
#pragma once

#include <cstdint>
#include <vector>

#include "renderer/sound/limiter.h"
#include "renderer/sound/sound_cue.h"
#include "renderer/sound/voice.h"

namespace lumora {

class Mixer {
public:
    static constexpr int kDefaultVoices = 40;
    static constexpr int kBlock = 64;
    // A sound whose start the playhead has passed starts at once if it is
    // at most this late (an audio thread's block, a frame's jitter), and is
    // dropped otherwise: sounds whose time has passed are not crowded in.
    static constexpr int64_t kLateSamples = kSampleRate / 20;
    // The master at volume 100; "20" scales it linearly.
    static constexpr float kMasterTrim = 2.5f;

    // `volume` 0..100 (clamped), as the settings value "20" holds it.
    explicit Mixer(int32_t volume, int maxVoices = kDefaultVoices);

    // Queues a sound for its start sample. Cues with equal starts begin in
    // the order they were scheduled.
    void schedule(const SoundCue& cue);

    // The next `frames` samples, limited, into two channels or interleaved
    // 16-bit stereo; the playhead advances by `frames`.
    void render(float* left, float* right, int frames);
    void render(int16_t* interleaved, int frames);

    int64_t playhead() const { return playhead_; }
    // Moves the playhead (an audio thread keeping up with the show); queued
    // sounds keep their start samples.
    void moveTo(int64_t sample) { playhead_ = sample; }

    int activeVoices() const;
    // The cue gains of the playing voices, in voice order (for tests).
    std::vector<float> playingGains() const;
    std::size_t queued() const { return queue_.size(); }
    // Sounds that never played: too late, or quieter than every voice.
    uint64_t dropped() const { return dropped_; }
    float masterGain() const { return master_; }

private:
    struct Queued {
        int64_t start;
        uint64_t order;
        SoundCue cue;
    };
    static bool later(const Queued& a, const Queued& b) {
        return a.start != b.start ? a.start > b.start : a.order > b.order;
    }
    Voice* voiceFor(const SoundCue& cue);

    std::vector<Queued> queue_;  // a min-heap on (start, order)
    std::vector<Voice> voices_;
    Limiter limiter_;
    float master_;
    int64_t playhead_ = 0;
    uint64_t order_ = 0;
    uint64_t dropped_ = 0;
    float mixLeft_[kBlock] = {};
    float mixRight_[kBlock] = {};
};

}  // namespace lumora
