// Where sounds are heard from (distance, travel time, level, air, pan) and
// which sounds the director makes of the simulation's events.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "renderer/sound/placement.h"
#include "renderer/sound/sound_director.h"

using namespace lumora;

namespace {
// Looking along -z from the origin: the view's right is +x.
const Vec3 kEye(0, 0, 0);
const Vec3 kBack(0, 0, 1);
constexpr float kFeetPer100m = 100.0f / 0.3048f;
}  // namespace

TEST(Placement, DistanceDelayLevelAirAndSide) {
    struct Row {
        Vec3 at;
        double metres;
        float gain;
        float cutoffLo, cutoffHi;
        float pan;
    };
    const Row rows[] = {
        {{0, 0, -kFeetPer100m}, 100.0, 1.0f, 4999.0f, 5001.0f, 0.0f},             // ahead, the reference
        {{3 * kFeetPer100m, 0, 0}, 300.0, 1.0f / 3, 1999.0f, 2001.0f, 1.0f},      // hard right
        {{-6 * kFeetPer100m, 0, 0}, 600.0, 1.0f / 6, 900.0f, 1300.0f, -1.0f},    // hard left
        {{0, 0, 10 * kFeetPer100m}, 1000.0, 0.1f, 600.0f, 800.0f, 0.0f},         // behind: the middle
        {{0, 3.0f, 0}, 0.9144, 4.0f, 15999.0f, 16000.0f, 0.0f},                   // at the eye: capped
        {{kFeetPer100m, 0, -kFeetPer100m}, 141.42, 0.7071f, 3000.0f, 4000.0f, 0.7071f},
    };
    for (const Row& r : rows) {
        const Placement p = placeSound(r.at, kEye, kBack);
        EXPECT_NEAR(p.distanceM, r.metres, 0.01) << r.metres;
        EXPECT_NEAR(p.delayS, r.metres / 343.0, 1e-4) << r.metres;
        EXPECT_NEAR(p.distanceGain, r.gain, 1e-3f) << r.metres;
        EXPECT_GE(p.cutoffHz, r.cutoffLo) << r.metres;
        EXPECT_LE(p.cutoffHz, r.cutoffHi) << r.metres;
        EXPECT_NEAR(p.pan, r.pan, 1e-3f) << r.metres;
    }
    // The right turns with the view: looking along +x, +z is on the right.
    EXPECT_NEAR(placeSound({0, 0, 500}, kEye, Vec3(-1, 0, 0)).pan, 1.0f, 1e-6f);
    // Looking straight down there is no side: the middle, not a NaN.
    EXPECT_EQ(placeSound({500, 0, 0}, kEye, Vec3(0, 1, 0)).pan, 0.0f);
    // A broken position is far away and in the middle, never a NaN.
    const Placement broken = placeSound({NAN, 0, 0}, kEye, kBack);
    EXPECT_GT(broken.distanceM, 1e5);
    EXPECT_EQ(broken.pan, 0.0f);
}

TEST(Placement, PanKeepsThePowerConstant) {
    for (float pan : {-1.0f, -0.5f, 0.0f, 0.3f, 1.0f}) {
        float l = 0, r = 0;
        panGains(pan, l, r);
        EXPECT_NEAR(l * l + r * r, 1.0f, 1e-6f) << pan;
        EXPECT_EQ(pan > 0 ? r > l : (pan < 0 ? l > r : l == r), true) << pan;
    }
}

TEST(SoundDirector, EachEventGetsItsSounds) {
    struct Row {
        SimEventKind event;
        uint32_t programme;
        int32_t stars;
        std::vector<SoundKind> sounds;
    };
    using K = SoundKind;
    const Row rows[] = {
        {SimEventKind::Burst, 0, 175, {K::Boom}},
        {SimEventKind::Burst, 3, 70, {K::Boom}},
        {SimEventKind::Burst, 6, 40, {K::Boom, K::Glitter}},
        {SimEventKind::Burst, 10, 170, {K::Boom, K::Glitter}},
        {SimEventKind::Burst, 15, 250, {K::Boom}},
        {SimEventKind::Burst, 17, 0, {K::Boom}},
        {SimEventKind::Burst, 19, 181, {K::Boom}},
        {SimEventKind::TimerBreak, 100, 30, {K::Pop}},
        {SimEventKind::SecondStage, 19, 226, {K::Stage2}},
        {SimEventKind::SecondStage, 20, 134, {K::Stage2, K::Glitter}},
        {SimEventKind::ShellLaunch, 4, 0, {K::Launch}},
        {SimEventKind::FountainLit, 0, 0, {K::Fountain}},
        {SimEventKind::PinwheelLit, 18, 0, {K::Pinwheel}},
        {SimEventKind::CracklePop, 8, 0, {K::Crackle}},
    };
    for (const Row& row : rows) {
        SoundDirector d(1);
        SimEvent e;
        e.kind = row.event;
        e.programme = row.programme;
        e.stars = row.stars;
        e.duration = 4.0f;
        e.position.set(0, 0, -kFeetPer100m);
        std::vector<SoundCue> cues;
        d.frame(2.0, kEye, kBack, {e}, cues);
        std::vector<SoundKind> kinds;
        for (const SoundCue& c : cues) kinds.push_back(c.kind);
        EXPECT_EQ(kinds, row.sounds) << "event " << static_cast<int>(row.event) << " programme " << row.programme;
        for (const SoundCue& c : cues) {
            EXPECT_NEAR(c.startTime, 2.0 + 100.0 / 343.0, 1e-6);
            EXPECT_EQ(c.startSample, std::llround(c.startTime * 48000));
            EXPECT_GT(c.gain, 0.0f);
        }
    }
}

TEST(SoundDirector, BiggerBurstsAreLouderAndTheSpecialOnesDifferent) {
    auto boom = [](uint32_t programme, int32_t stars) {
        SoundDirector d(1);
        SimEvent e;
        e.programme = programme;
        e.stars = stars;
        e.position.set(0, 0, -kFeetPer100m);
        std::vector<SoundCue> cues;
        d.frame(1.0, kEye, kBack, {e}, cues);
        return cues.at(0);
    };
    EXPECT_LT(boom(12, 8).gain, boom(3, 70).gain);
    EXPECT_LT(boom(3, 70).gain, boom(0, 175).gain);
    EXPECT_LT(boom(0, 175).gain, boom(0, 225).gain);
    EXPECT_TRUE(boom(17, 0).salute);
    EXPECT_TRUE(boom(20, 241).deep);
    EXPECT_FALSE(boom(0, 175).deep);
}

TEST(SoundDirector, AFramesCracklePopsGroupByPlaceAndSpreadOverTheStep) {
    SoundDirector d(3);
    std::vector<SoundCue> cues;
    d.frame(1.0, kEye, kBack, {}, cues);
    SimEventList pops;
    SimEvent pop;
    pop.kind = SimEventKind::CracklePop;
    for (float x : {0.0f, 50.0f, -120.0f, 2000.0f, 2100.0f, 0.0f}) {
        pop.position.set(x, 500, -3000);
        pops.push_back(pop);
    }
    d.frame(1.02, kEye, kBack, pops, cues);
    ASSERT_EQ(cues.size(), 2u);
    EXPECT_EQ(cues[0].pops, 4);
    EXPECT_EQ(cues[1].pops, 2);
    EXPECT_NEAR(cues[0].spread, 0.02f, 1e-6f);
    EXPECT_EQ(cues[0].position.x, 0.0f);
    EXPECT_EQ(cues[1].position.x, 2000.0f);
}

TEST(SoundDirector, SeedsComeFromTheDirectorsOwnGeneratorInEventOrder) {
    auto seeds = [](uint32_t show) {
        SoundDirector d(show);
        SimEvent e;
        e.position.set(0, 1000, -1000);
        std::vector<SoundCue> cues;
        d.frame(1.0, kEye, kBack, {e, e, e}, cues);
        std::vector<uint32_t> s;
        for (const SoundCue& c : cues) s.push_back(c.seed);
        return s;
    };
    EXPECT_EQ(seeds(5), seeds(5));
    EXPECT_NE(seeds(5), seeds(6));
    const std::vector<uint32_t> s = seeds(5);
    EXPECT_NE(s[0], s[1]);
}
