// The show's sound on Windows: waveOut on a thread of its own, fed by the
// portable stream (renderer/sound). The device is opened on that thread, so
// the first frame never waits for it; with no device, or a device that fails
// or goes away mid-show, the thread says why in the debug log and ends, and
// the show goes on silent. Stopping only asks: closing never waits on audio.
//
// Not XAudio2: under Wine it crashes the process when there is no device.
#pragma once

#include <memory>

#include "renderer/sound/sound_stream.h"

namespace lumora::win32 {

class SoundOutput {
public:
    SoundOutput() = default;
    ~SoundOutput();
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // Starts the thread and returns at once; false (with a log line) when
    // the thread cannot be made.
    bool start(std::shared_ptr<SoundStream> stream);
    // Asks the thread to close the device and end, and returns at once. The
    // thread keeps what it shares with us alive until it has ended (or the
    // process ends it).
    void stop();
    // At the program's very end, after the show's window is gone: gives a
    // stopped thread up to `ms` to close its device. Ending the process with
    // a device still open crashes Wine's sound drivers on the way out.
    void letFinish(unsigned long ms);

    struct Shared;

private:
    std::shared_ptr<Shared> shared_;
    void* thread_ = nullptr;  // the last thread started, for letFinish
};

}  // namespace lumora::win32
