// Benchmarks of the simulation step in a heavy steady state: MaxFireworks 30,
// SmokeSpan 30, after 60 simulated seconds at 16 ms ticks. Each iteration runs
// one more frame of the same show, so the figures follow a real trajectory.
// Reports time per step and per live record.
#include <benchmark/benchmark.h>

#include "renderer/frame/frame_driver.h"

namespace {

using namespace lumora;

Settings heavy(int illumination) {
    Settings s;
    s.MaxFireworks = 30;
    s.SmokeSpan = 30;
    s.Illumination = illumination;
    return s;
}

constexpr int kWarmTicks = 3750;  // 60 s at 16 ms

void runHeavy(benchmark::State& state, int illumination) {
    FrameDriver driver(7, heavy(illumination));
    uint32_t now = 0;
    for (int i = 0; i < kWarmTicks; ++i, now += 16) driver.frameTick(now);
    double records = 0;
    for (auto _ : state) {
        now += 16;
        driver.frameTick(now);
        records += static_cast<double>(driver.simulation().pool().liveCount());
    }
    state.counters["live"] = benchmark::Counter(records, benchmark::Counter::kAvgIterations);
    state.counters["pool"] = static_cast<double>(driver.simulation().pool().nodeCount());
    state.counters["per_record"] =
        benchmark::Counter(records, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The whole frame driver step: camera, cloud drift, launch, update pass with
// emitters and interactions, sort.
void BM_HeavyStep(benchmark::State& state) { runHeavy(state, 1); }
// The same show without smoke lighting, to show what the interactions cost.
void BM_HeavyStepNoIllumination(benchmark::State& state) { runHeavy(state, 0); }

// The sort alone over the heavy state's pool (already sorted: the common case
// of a frame whose order barely changed).
void BM_SortAndRecycle(benchmark::State& state) {
    FrameDriver driver(7, heavy(1));
    uint32_t now = 0;
    for (int i = 0; i < kWarmTicks; ++i, now += 16) driver.frameTick(now);
    ParticlePool& pool = driver.simulation().pool();
    for (auto _ : state) pool.sortAndRecycle();
    state.counters["pool"] = static_cast<double>(pool.nodeCount());
}

}  // namespace

BENCHMARK(BM_HeavyStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeavyStepNoIllumination)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortAndRecycle)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
