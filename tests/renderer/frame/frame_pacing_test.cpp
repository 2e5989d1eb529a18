// The show's clock and frame pacing: what a coarse clock does to the frame
// step at today's refresh rates next to the performance counter's whole
// milliseconds, the conversion's range, and the pacer's cadence.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>

#include "renderer/frame/frame_pacing.h"
#include "renderer/frame/frame_timer.h"

using namespace lumora;

namespace {

struct StepError {
    double rms = 0, worst = 0;  // relative to the true frame period
};

// Frames at exactly `hz` from an odd start time; `clockMs` turns the true
// time in seconds into the platform's millisecond reading. The frame step
// after the five-frame mean has filled is compared with the true period.
StepError stepError(double hz, const std::function<uint32_t(double)>& clockMs) {
    FrameTimer timer;
    const double period = 1.0 / hz, start = 3723.012345;
    double sumSq = 0, worst = 0;
    int n = 0;
    for (int frame = 0; frame < 3000; ++frame) {
        timer.tick(clockMs(start + frame * period));
        if (frame < 10) continue;
        const double e = (timer.dt - period) / period;
        sumSq += e * e;
        worst = std::max(worst, std::fabs(e));
        ++n;
    }
    return {std::sqrt(sumSq / n), worst};
}

}  // namespace

TEST(ShowClock, ACoarseClockJudders_TheCountersMillisecondsDoNot) {
    // A clock that steps every 15.625 ms (the default system tick), and whole
    // milliseconds of a 10 MHz performance counter.
    const auto coarse = [](double t) { return static_cast<uint32_t>(std::floor(t * 64.0) * 15.625); };
    const auto counter = [](double t) {
        return millisecondsFromCounter(static_cast<uint64_t>(t * 1e7), 10000000u);
    };
    std::printf("  refresh  clock      rms error  worst\n");
    for (const double hz : {60.0, 144.0}) {
        const StepError c = stepError(hz, coarse), f = stepError(hz, counter);
        std::printf("  %3.0f Hz   15.6 ms    %5.1f %%    %5.1f %%\n", hz, 100 * c.rms, 100 * c.worst);
        std::printf("  %3.0f Hz    1 ms      %5.1f %%    %5.1f %%\n", hz, 100 * f.rms, 100 * f.worst);
        EXPECT_LT(f.rms, 0.02) << hz << " Hz";
        EXPECT_LT(f.worst, 0.03) << hz << " Hz";  // under a fifth of a millisecond on the mean
        EXPECT_GT(c.rms, 0.05) << hz << " Hz";
    }
}

TEST(ShowClock, CounterToMillisecondsTruncatesAndWrapsWithoutOverflow) {
    struct Case {
        uint64_t counter, frequency;
        uint32_t ms;
    };
    const Case cases[] = {
        {0, 10000000, 0},
        {9999, 10000000, 0},
        {10000, 10000000, 1},
        {3579545, 3579545, 1000},
        {10000000ull * 4294967 + 5000000, 10000000, 204},  // past 2^32 ms: wraps
        {1ull << 62, 3579545, 34232120},                    // counter * 1000 would overflow 64 bits
        {123456, 0, 0},                                     // no counter
    };
    for (const Case& c : cases)
        EXPECT_EQ(millisecondsFromCounter(c.counter, c.frequency), c.ms) << c.counter << " / " << c.frequency;
}

TEST(FramePacer, OnePeriodApartKeepingCadenceWithoutBursts) {
    for (const uint32_t hz : {0u, 1u, 5000u}) EXPECT_EQ(FramePacer(hz).periodUs(), 16666u) << hz;
    EXPECT_EQ(FramePacer(144).periodUs(), 6944u);

    FramePacer p(60);
    EXPECT_EQ(p.waitUs(500), 0u);  // the first frame at once
    p.frameStarted(500);
    EXPECT_EQ(p.waitUs(10500), 6666u);
    EXPECT_EQ(p.waitUs(17166), 0u);
    // A little late: the next is still due on the cadence.
    p.frameStarted(20000);
    EXPECT_EQ(p.waitUs(20000), 33832u - 20000u);
    // A stall of several periods: one period from now, not a burst.
    p.frameStarted(200000);
    EXPECT_EQ(p.waitUs(200000), 16666u);
    EXPECT_EQ(p.waitUs(216666), 0u);
}
