// The show's clock and pace where the platform gives less than it should.
//
// - millisecondsFromCounter: whole milliseconds as the frame timer expects
//   them (a 32-bit count that wraps), from a fine performance counter and its
//   frequency. A coarse millisecond clock that steps by 10-16 ms makes the
//   five-frame mean judder at today's refresh rates; the counter does not.
// - FramePacer: when the driver cannot tie the buffer swap to the display,
//   the idle loop would render back to back and spin a core; the pacer says
//   how long to wait before the next frame may start, one display period
//   after the last, keeping the cadence without bursts after a stall.
//
// Both take their readings from the caller; nothing here reads a clock.
#pragma once

#include <cstdint>

namespace lumora {

// counter / frequency seconds in whole units of 1 / unitsPerSecond s,
// truncated; 0 for a frequency of 0 (no counter).
uint64_t unitsFromCounter(uint64_t counter, uint64_t frequency, uint64_t unitsPerSecond);

// The same in whole milliseconds, modulo 2^32, as the frame timer counts.
inline uint32_t millisecondsFromCounter(uint64_t counter, uint64_t frequency) {
    return static_cast<uint32_t>(unitsFromCounter(counter, frequency, 1000));
}

class FramePacer {
public:
    // The display's refresh rate in hertz; 0 or 1 ("the hardware's default")
    // and anything implausible mean 60.
    explicit FramePacer(uint32_t refreshHz);

    // Microseconds to wait at `nowUs` before the next frame may start; 0
    // when it may start now (always before the first frame).
    uint64_t waitUs(uint64_t nowUs) const;
    // A frame starts at `nowUs`: the next is due one period after the one
    // that was due, or one period from now when the loop fell more than a
    // period behind (a stall is not made up for with a burst of frames).
    void frameStarted(uint64_t nowUs);

    uint64_t periodUs() const { return periodUs_; }

private:
    uint64_t periodUs_;
    uint64_t nextUs_ = 0;
    bool started_ = false;
};

}  // namespace lumora
