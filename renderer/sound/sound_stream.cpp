// The live show's sound stream; see sound_stream.h.
#include "renderer/sound/sound_stream.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace lumora {

SoundStream::SoundStream(int32_t volume, double leadSeconds)
    : mixer_(volume) {
    setLead(leadSeconds);
    inbox_.reserve(256);
    taken_.reserve(256);
}

void SoundStream::setLead(double leadSeconds) {
    const double s = leadSeconds >= 0.0 ? std::min(leadSeconds, 10.0) : 0.0;  // NaN counts as 0
    lead_ = static_cast<int64_t>(std::llround(s * kSampleRate));
}

void SoundStream::post(double showTime, const std::vector<SoundCue>& cues) {
    const std::lock_guard<std::mutex> lock(mutex_);
    showTime_ = showTime;
    ++posts_;
    for (const SoundCue& c : cues) {
        if (inbox_.size() >= kMaxInbox) {
            ++refused_;
            continue;
        }
        inbox_.push_back(c);
    }
}

uint64_t SoundStream::refused() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return refused_;
}

void SoundStream::render(int16_t* interleaved, int frames) {
    double showTime = 0.0;
    uint64_t posts = 0;
    {
        // The filled inbox comes here and the emptied one goes back, so
        // neither side allocates once both have grown to a show's needs.
        const std::lock_guard<std::mutex> lock(mutex_);
        std::swap(inbox_, taken_);
        showTime = showTime_;
        posts = posts_;
    }
    // Only a fresh post says where the show is now (give or take one of the
    // device's buffers); an old one would pull the playhead back.
    const bool fresh = posts != postsSeen_;
    postsSeen_ = posts;
    if (fresh && std::isfinite(showTime)) {
        const int64_t target = static_cast<int64_t>(std::llround(showTime * kSampleRate)) + lead_;
        const int64_t off = mixer_.playhead() - target;
        if (off > kResyncSamples || off < -kResyncSamples) mixer_.moveTo(target);
    }
    for (const SoundCue& c : taken_) mixer_.schedule(c);
    taken_.clear();
    mixer_.render(interleaved, frames);
}

}  // namespace lumora
