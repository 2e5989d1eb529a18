// Benchmarks of the show's sound: the mixer making two minutes of a seeded
// show's sound (every voice, the limiter and the 16-bit output) exactly as
// lumora-render and the audio threads drive it, at the default settings and
// at the heaviest (MaxFireworks 30). The show is run once beforehand to
// collect its sounds; only the mixing is timed.
//
// Reports ms_per_s, the milliseconds of CPU that one second of sound costs
// (10 ms is 1 % of one core), and the voices playing on average and at most.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include "renderer/sound/mixer.h"
#include "renderer/sound/sound_director.h"

namespace {

using namespace lumora;

struct Frame {
    int64_t endSample;
    std::vector<SoundCue> cues;
};

constexpr int kTicks = 7500;  // 120 s at 16 ms

std::vector<Frame> recordShow(int32_t maxFireworks) {
    Settings s;
    s.MaxFireworks = maxFireworks;
    FrameDriver driver(7, s);
    driver.listenToEvents();
    SoundDirector director(7);
    std::vector<Frame> frames;
    uint32_t now = 0;
    for (int i = 0; i < kTicks; ++i, now += 16) {
        if (!driver.frameTick(now)) continue;
        Frame f;
        director.frame(driver, f.cues);
        f.endSample = std::llround(driver.showTime() * kSampleRate);
        frames.push_back(std::move(f));
    }
    return frames;
}

void mixShow(benchmark::State& state, int32_t maxFireworks) {
    const std::vector<Frame> frames = recordShow(maxFireworks);
    std::vector<int16_t> block(2 * 4096);
    double voiceBlocks = 0, blocks = 0;
    int most = 0;
    std::size_t cues = 0;
    for (const Frame& f : frames) cues += f.cues.size();
    double cpuSeconds = 0;
    for (auto _ : state) {
        const std::clock_t started = std::clock();
        Mixer mixer(70);
        for (const Frame& f : frames) {
            for (const SoundCue& c : f.cues) mixer.schedule(c);
            while (mixer.playhead() < f.endSample) {
                const int n = static_cast<int>(std::min<int64_t>(Mixer::kBlock * 4, f.endSample - mixer.playhead()));
                mixer.render(block.data(), n);
                const int v = mixer.activeVoices();
                voiceBlocks += v;
                blocks += 1;
                most = std::max(most, v);
            }
        }
        benchmark::DoNotOptimize(block.data());
        cpuSeconds += static_cast<double>(std::clock() - started) / CLOCKS_PER_SEC;
    }
    const double seconds = static_cast<double>(frames.back().endSample) / kSampleRate;
    state.counters["ms_per_s"] = cpuSeconds * 1000.0 / (static_cast<double>(state.iterations()) * seconds);
    state.counters["sounds"] = static_cast<double>(cues);
    state.counters["voices_mean"] = blocks > 0 ? voiceBlocks / blocks : 0.0;
    state.counters["voices_max"] = most;
    state.counters["show_s"] = seconds;
}

void BM_MixDefaultShow(benchmark::State& state) { mixShow(state, 10); }
void BM_MixHeaviestShow(benchmark::State& state) { mixShow(state, 30); }

}  // namespace

BENCHMARK(BM_MixDefaultShow)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_MixHeaviestShow)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK_MAIN();
