// The events the simulation reports for sound: which end of life reports
// what, the launches, and that listening changes nothing in the show.
#include <gtest/gtest.h>

#include <map>

#include "renderer/frame/frame_driver.h"
#include "renderer/headless/trace.h"

using namespace lumora;

namespace {

const Vec3 kEye(0, 1000, 5000);
const Vec3 kBack(0, 0, 1);

// A simulation that reports into `events` and launches nothing by itself.
struct Listening {
    explicit Listening(uint32_t seed = 1) : rng(seed), sim(rng, Settings{}) {
        sim.setEventList(&events);
        sim.launchTimer = 100.0f;
    }
    Rand15 rng;
    Simulation sim;
    SimEventList events;
};

}  // namespace

TEST(SimEvents, EachEndOfLifeReportsOneEventWithWhatItMade) {
    struct Case {
        int32_t kind;
        uint32_t programme;
        float height;
        SimEventKind reported;
        uint32_t reportedProgramme;
        int stars;  // -1: a sphere of 175 or 225
    };
    const Case cases[] = {
        {Shell, 3, 900, SimEventKind::Burst, 3, 70},
        {Shell, 15, 900, SimEventKind::Burst, 15, 250},
        {Shell, 17, 900, SimEventKind::Burst, 17, 0},
        {Shell, 19, 1500, SimEventKind::Burst, 19, 181},  // the second flash and two rings
        {Shell, 19, 900, SimEventKind::Burst, 0, -1},     // too low: a plain sphere, reported as one
        {Shell, 18, 900, SimEventKind::PinwheelLit, 18, 0},
        {TimerStar, 5, 900, SimEventKind::TimerBreak, 100, 30},
        {TimerStar, 6, 900, SimEventKind::TimerBreak, 101, 10},
        {TimerStar, 7, 900, SimEventKind::TimerBreak, 102, 10},
        {TimerStar, 8, 900, SimEventKind::CracklePop, 8, 0},
        {RingCore, 19, 1500, SimEventKind::SecondStage, 19, 1 + 75 + 150},
        {ColumnCore, 20, 1500, SimEventKind::SecondStage, 20, 1 + 8 + 75 + 50},
    };
    for (const Case& c : cases) {
        Listening w;
        Particle& p = w.sim.pool().allocate();
        p.kind = c.kind;
        p.programme = c.programme;
        p.position.set(30, c.height, -40);
        p.lifeSpan = 4.0f;
        p.lifeLeft = 0.0f;
        p.lifeFraction = 0.0f;
        p.thrustEnd = 2.0f;  // a shell's motor is out
        p.leavesTrail = 0;
        w.sim.simulationStep(0.0f, kEye, kBack);
        ASSERT_EQ(w.events.size(), 1u) << "kind " << c.kind << " programme " << c.programme;
        const SimEvent& e = w.events[0];
        EXPECT_EQ(e.kind, c.reported) << c.programme;
        EXPECT_EQ(e.programme, c.reportedProgramme) << c.programme;
        if (c.stars >= 0) {
            EXPECT_EQ(e.stars, c.stars) << c.programme;
        } else {
            EXPECT_TRUE(e.stars == 175 || e.stars == 225) << e.stars;
        }
        EXPECT_EQ(e.recordKind, p.kind);
        EXPECT_EQ(e.position.x, 30.0f);
        EXPECT_EQ(e.position.z, -40.0f);
        if (c.reported == SimEventKind::PinwheelLit) {
            EXPECT_EQ(e.duration, p.lifeSpan);
        }
    }
}

TEST(SimEvents, LaunchesReportWhereAndForHowLong) {
    int shells = 0, fountains = 0;
    for (uint32_t i = 0; i < 200; ++i) {
        const uint32_t seed = i * 2654435761u;  // small seeds all start with a small draw
        Rand15 rng(seed);
        Simulation sim(rng, Settings{});
        SimEventList events;
        sim.setEventList(&events);
        sim.simulationStep(0.02f, kEye, kBack);  // the first step launches at once
        ASSERT_FALSE(events.empty()) << seed;
        for (const SimEvent& e : events) {
            if (e.kind == SimEventKind::ShellLaunch) {
                ++shells;
                EXPECT_EQ(e.recordKind, Shell);
                // The motor burns for 60 to 70 % of a 5 to 7 second life.
                EXPECT_GE(e.duration, 5.0f * 0.6f - 1e-4f);
                EXPECT_LE(e.duration, 7.0f * 0.7f + 1e-4f);
                EXPECT_LE(e.programme, 20u);
            } else {
                ASSERT_EQ(e.kind, SimEventKind::FountainLit) << seed;
                ++fountains;
                EXPECT_GE(e.duration, 10.0f);
                EXPECT_LE(e.duration, 15.0f);
            }
            EXPECT_NEAR(e.position.y, 5.0f, 2.0f);  // on the ground, moved by one step at most
        }
        EXPECT_LE(events.size(), 3u);
    }
    EXPECT_GT(shells, 150);
    EXPECT_GT(fountains, 0);
}

// Listening must not change one value or one draw: the trace of a heavy show
// is the same frame by frame, and the show reports every kind of event.
TEST(SimEvents, ListeningChangesNothing) {
    Settings s;
    s.MaxFireworks = 30;
    FrameDriver quiet(4242, s), heard(4242, s);
    heard.listenToEvents();
    std::map<SimEventKind, int> seen;
    constexpr int kFrames = 1500;
    uint32_t now = 0;
    for (int frame = 0; frame < kFrames; ++frame, now += 16) {
        ASSERT_EQ(quiet.frameTick(now), heard.frameTick(now));
        if (frame % 25 == 0) {
            ASSERT_EQ(traceLine(quiet), traceLine(heard)) << "frame " << frame;
        }
        EXPECT_TRUE(quiet.events().empty());
        for (const SimEvent& e : heard.events()) ++seen[e.kind];
    }
    EXPECT_EQ(traceLine(quiet), traceLine(heard));
    EXPECT_NEAR(heard.showTime(), kFrames * 0.016, 0.1);
    for (SimEventKind k : {SimEventKind::ShellLaunch, SimEventKind::Burst, SimEventKind::CracklePop,
                           SimEventKind::TimerBreak, SimEventKind::PinwheelLit})
        EXPECT_GT(seen[k], 0) << static_cast<int>(k);
    // Every burst and pinwheel was a launched shell first.
    EXPECT_GE(seen[SimEventKind::ShellLaunch], seen[SimEventKind::Burst] + seen[SimEventKind::PinwheelLit]);
}
