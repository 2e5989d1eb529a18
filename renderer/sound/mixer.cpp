// The mixer; see mixer.h.
#include "renderer/sound/mixer.h"

#include <algorithm>
#include <cmath>

#include "common/settings/settings.h"

namespace lumora {

Mixer::Mixer(int32_t volume, int maxVoices)
    : voices_(static_cast<std::size_t>(std::max(1, maxVoices))),
      master_(static_cast<float>(clampEffectsVolume(volume)) / 100.0f * kMasterTrim) {
    // Room for a heavy show's queue, so an audio thread seldom allocates.
    queue_.reserve(1024);
}

void Mixer::schedule(const SoundCue& cue) {
    queue_.push_back({cue.startSample, order_++, cue});
    std::push_heap(queue_.begin(), queue_.end(), later);
}

Voice* Mixer::voiceFor(const SoundCue& cue) {
    Voice* quietest = nullptr;
    for (Voice& v : voices_) {
        if (!v.active()) return &v;
        if (!quietest || v.level() < quietest->level()) quietest = &v;
    }
    // All busy: the quietest gives way to a louder newcomer; otherwise the
    // newcomer is the quietest and is the one left out.
    if (quietest && quietest->level() < cue.gain) {
        quietest->stop();
        return quietest;
    }
    ++dropped_;
    return nullptr;
}

void Mixer::render(float* left, float* right, int frames) {
    for (int done = 0; done < frames;) {
        const int n = std::min(kBlock, frames - done);
        std::fill(mixLeft_, mixLeft_ + n, 0.0f);
        std::fill(mixRight_, mixRight_ + n, 0.0f);
        for (Voice& v : voices_)
            if (v.active()) v.render(mixLeft_, mixRight_, n);
        // Sounds due in this block start on their own sample.
        while (!queue_.empty() && queue_.front().start < playhead_ + n) {
            std::pop_heap(queue_.begin(), queue_.end(), later);
            const Queued q = queue_.back();
            queue_.pop_back();
            int64_t offset = q.start - playhead_;
            if (offset < 0) {
                if (-offset > kLateSamples) {
                    ++dropped_;
                    continue;
                }
                offset = 0;
            }
            Voice* v = voiceFor(q.cue);
            if (!v) continue;
            v->start(q.cue);
            v->render(mixLeft_ + offset, mixRight_ + offset, n - static_cast<int>(offset));
        }
        for (int i = 0; i < n; ++i) {
            float l = mixLeft_[i] * master_;
            float r = mixRight_[i] * master_;
            limiter_.process(l, r);
            left[done + i] = l;
            right[done + i] = r;
        }
        playhead_ += n;
        done += n;
    }
}

void Mixer::render(int16_t* interleaved, int frames) {
    float left[kBlock], right[kBlock];
    for (int done = 0; done < frames;) {
        const int n = std::min(kBlock, frames - done);
        render(left, right, n);
        for (int i = 0; i < n; ++i) {
            // The limiter keeps every sample within +-0.98855: no overflow.
            interleaved[2 * (done + i)] = static_cast<int16_t>(std::lrint(left[i] * 32767.0f));
            interleaved[2 * (done + i) + 1] = static_cast<int16_t>(std::lrint(right[i] * 32767.0f));
        }
        done += n;
    }
}

int Mixer::activeVoices() const {
    return static_cast<int>(std::count_if(voices_.begin(), voices_.end(), [](const Voice& v) { return v.active(); }));
}

std::vector<float> Mixer::playingGains() const {
    std::vector<float> gains;
    for (const Voice& v : voices_)
        if (v.active()) gains.push_back(v.gain());
    return gains;
}

}  // namespace lumora
