// The mixer's voice limit, sample-exact starts and late sounds, the master
// limiter, and the live stream keeping up with the show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "renderer/sound/mixer.h"
#include "renderer/sound/sound_stream.h"

using namespace lumora;

namespace {

SoundCue boomAt(int64_t sample, float gain, uint32_t seed = 1) {
    SoundCue c;
    c.kind = SoundKind::Boom;
    c.startSample = sample;
    c.gain = gain;
    c.cutoffHz = 5000.0f;
    c.seed = seed;
    return c;
}

std::vector<float> renderLeft(Mixer& m, int frames) {
    std::vector<float> left(static_cast<std::size_t>(frames)), right(left.size());
    m.render(left.data(), right.data(), frames);
    return left;
}

int64_t firstSound(const std::vector<float>& s) {
    const auto it = std::find_if(s.begin(), s.end(), [](float v) { return v != 0.0f; });
    return it == s.end() ? -1 : it - s.begin();
}

}  // namespace

TEST(Mixer, TheQuietestGivesWayWhenEveryVoiceIsBusy) {
    struct Row {
        const char* what;
        std::vector<std::pair<int64_t, float>> sounds;  // start sample, gain
        std::vector<float> playing;                     // gains still playing, sorted
        uint64_t dropped;
    };
    const Row rows[] = {
        {"a louder newcomer replaces the quietest", {{0, 0.5f}, {0, 0.2f}, {0, 0.9f}}, {0.5f, 0.9f}, 0},
        {"a newcomer quieter than all is left out", {{0, 0.5f}, {0, 0.2f}, {0, 0.1f}}, {0.2f, 0.5f}, 1},
        // 0.3 s on, the first boom has decayed far below the newcomers.
        {"a faded voice gives way to quieter fresh ones", {{0, 1.0f}, {0, 0.9f}, {14400, 0.3f}, {14400, 0.2f}},
         {0.2f, 0.3f}, 0},
        {"room for all: nobody gives way", {{0, 0.1f}, {100, 0.2f}}, {0.1f, 0.2f}, 0},
    };
    for (const Row& row : rows) {
        Mixer m(70, 2);
        for (const auto& [at, gain] : row.sounds) m.schedule(boomAt(at, gain));
        renderLeft(m, 14400 + 64);
        std::vector<float> playing = m.playingGains();
        std::sort(playing.begin(), playing.end());
        EXPECT_EQ(playing, row.playing) << row.what;
        EXPECT_EQ(m.dropped(), row.dropped) << row.what;
    }
}

TEST(Mixer, SoundsStartOnTheirSampleOrAtOnceWhenSlightlyLate) {
    struct Row {
        const char* what;
        int64_t playhead;  // where the mixer is when the cue is queued
        int64_t start;
        int64_t heard;  // first sample with sound after the playhead; -1: never
    };
    const Row rows[] = {
        {"on its own sample", 0, 1000, 1000},
        {"mid-block", 0, 64 * 3 + 17, 64 * 3 + 17},
        {"on the very first sample", 0, 0, 0},
        {"late by 1000 samples: at once", 5000, 4000, 0},
        {"late by more than 50 ms: dropped", 5000, 5000 - 2401, -1},
    };
    for (const Row& row : rows) {
        Mixer m(70);
        m.moveTo(row.playhead);
        m.schedule(boomAt(row.start, 1.0f));
        EXPECT_EQ(firstSound(renderLeft(m, 4000)), row.heard) << row.what;
    }
}

TEST(Mixer, SameCuesGiveTheSameSamplesAndVolumeZeroGivesSilence) {
    auto run = [](int32_t volume, uint32_t seed) {
        Mixer m(volume);
        for (int i = 0; i < 20; ++i) m.schedule(boomAt(i * 900, 0.5f + 0.1f * static_cast<float>(i % 4), seed + i));
        std::vector<int16_t> out(2 * 48000);
        m.render(out.data(), 48000);
        return out;
    };
    EXPECT_EQ(run(70, 1), run(70, 1));
    EXPECT_NE(run(70, 1), run(70, 2));
    const std::vector<int16_t> silent = run(0, 1);
    EXPECT_TRUE(std::all_of(silent.begin(), silent.end(), [](int16_t v) { return v == 0; }));
}

TEST(Limiter, HoldsTheCeilingAndPassesQuietSoundUntouched) {
    struct Row {
        const char* what;
        float amplitude;  // of a 100 Hz sine, with one spike at sample 4800
        float spike;
        float maxOut;     // at most
        bool exact;       // every sample passes unchanged
    };
    const Row rows[] = {
        {"quiet sine", 0.5f, 0.0f, 0.5f, true},
        {"just below the ceiling", 0.988f, 0.0f, 0.988f, true},
        {"sine at twice full scale", 2.0f, 0.0f, Limiter::kCeiling, false},
        {"quiet sine with a spike of 30", 0.3f, 30.0f, Limiter::kCeiling, false},
        {"a hundred bursts at once", 100.0f, 1000.0f, Limiter::kCeiling, false},
    };
    for (const Row& row : rows) {
        Limiter lim;
        float worst = 0.0f;
        bool exact = true;
        for (int n = 0; n < 96000; ++n) {
            float in = row.amplitude * std::sin(static_cast<float>(n) * 2.0f * 3.14159265f * 100.0f / 48000.0f);
            if (n == 4800) in = row.spike;
            float l = in, r = -in;
            lim.process(l, r);
            worst = std::max({worst, std::fabs(l), std::fabs(r)});
            exact = exact && l == in && r == -in;
        }
        EXPECT_LE(worst, row.maxOut) << row.what;
        EXPECT_LT(worst, 0.99f) << row.what;
        EXPECT_EQ(exact, row.exact) << row.what;
        // A second after the last loud sample the gain is back at 1 for the
        // quiet ones; the loud ones are still held down.
        if (row.amplitude < 1.0f) {
            EXPECT_EQ(lim.gain(), 1.0f) << row.what;
        }
    }
}

TEST(Limiter, ABrokenSampleIsSilencedWithoutHoldingTheGainDown) {
    Limiter lim;
    const float bad[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()};
    for (float v : bad) {
        float l = v, r = 0.5f;
        lim.process(l, r);
        EXPECT_EQ(l, 0.0f);
        EXPECT_EQ(r, 0.0f);
        float a = 0.5f, b = -0.5f;
        lim.process(a, b);
        EXPECT_EQ(a, 0.5f);
    }
}

TEST(SoundStream, FollowsTheShowAndDropsWhatAFastForwardPassed) {
    SoundStream stream(70, 0.0);
    std::vector<int16_t> out(2 * 960);
    // Sounds due at 0.5 s and at 10 s; the show then jumps to 5 s (as a
    // fast-forward would): the first has passed and is dropped, the second
    // stays queued for its time.
    stream.post(0.02, {boomAt(24000, 1.0f), boomAt(480000, 1.0f)});
    stream.render(out.data(), 960);
    EXPECT_EQ(stream.mixer().playhead(), 960);
    stream.post(5.0, {});
    stream.render(out.data(), 960);
    EXPECT_EQ(stream.mixer().playhead(), 240000 + 960);
    EXPECT_EQ(stream.mixer().dropped(), 1u);
    EXPECT_EQ(stream.mixer().queued(), 1u);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](int16_t v) { return v == 0; }));
    // Small drifts are left alone: the playhead runs on at the device's pace,
    // and without a fresh post it never looks back at an old one.
    stream.post(5.05, {});
    stream.render(out.data(), 960);
    EXPECT_EQ(stream.mixer().playhead(), 240000 + 2 * 960);
    for (int i = 0; i < 10; ++i) stream.render(out.data(), 960);
    EXPECT_EQ(stream.mixer().playhead(), 240000 + 12 * 960);
    // The show stalled for a while: the playhead waits for it.
    stream.post(5.06, {});
    stream.render(out.data(), 960);
    EXPECT_EQ(stream.mixer().playhead(), 242880 + 960);
}

TEST(SoundStream, PostsNobodyRendersStopPilingUp) {
    SoundStream stream(70, 0.05);
    const std::vector<SoundCue> frame(100, boomAt(0, 0.5f));
    for (int i = 0; i < 200; ++i) stream.post(i * 0.016, frame);
    EXPECT_EQ(stream.refused(), 200u * 100u - SoundStream::kMaxInbox);
}
