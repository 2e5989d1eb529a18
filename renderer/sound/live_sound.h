// The sound of a show running live, as the platform programs use it: the
// director and the stream an audio output plays. After each drawn frame the
// program calls frame(); the output calls stream()->render() on its own
// thread. Made only when the volume is above 0 (at 0 no device is opened).
#pragma once

#include <memory>
#include <vector>

#include "renderer/sound/sound_director.h"
#include "renderer/sound/sound_stream.h"

namespace lumora {

class LiveSound {
public:
    // Starts the driver's event list; `seed` is the show's.
    LiveSound(FrameDriver& driver, uint32_t seed, int32_t volume)
        : director_(seed), stream_(std::make_shared<SoundStream>(volume, 0.0)) {
        driver.listenToEvents();
        cues_.reserve(64);
    }

    // After a frame the driver ran: its sounds go to the stream.
    void frame(const FrameDriver& driver) {
        cues_.clear();
        director_.frame(driver, cues_);
        stream_->post(driver.showTime(), cues_);
    }

    // Shared with the audio thread, which may outlive the show's objects.
    const std::shared_ptr<SoundStream>& stream() const { return stream_; }

private:
    SoundDirector director_;
    std::shared_ptr<SoundStream> stream_;
    std::vector<SoundCue> cues_;
};

}  // namespace lumora
