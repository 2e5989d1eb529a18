// What the simulation reports while it steps: the moments that make a sound
// (a shell or fountain lit on the ground, a pinwheel taking over its shell, a
// burst, a timer star breaking, a crackle star popping, a two-stage shell's
// second stage), each with the record's position, kind and programme.
//
// Reporting is a side channel only: it reads the records after the step has
// set them, draws nothing from the show's generator and changes no value or
// order. Nothing here knows about sound; renderer/sound listens.
#pragma once

#include <cstdint>
#include <vector>

#include "renderer/sim/vec.h"

namespace lumora {

enum class SimEventKind : uint8_t {
    ShellLaunch,    // a shell leaves the ground; `duration` is its motor's burn
    FountainLit,    // a fountain starts on the ground; `duration` is its life
    PinwheelLit,    // a shell of programme 18 turns into a pinwheel; `duration` is its life
    Burst,          // a shell bursts; `programme` and `stars` say how
    TimerBreak,     // a timer star breaks into its small burst (programme 100..102)
    CracklePop,     // a crackle star pops
    SecondStage,    // a two-stage shell's core expires into its second stage (programme 19 or 20)
};

struct SimEvent {
    SimEventKind kind = SimEventKind::Burst;
    int32_t recordKind = 0;  // the record's kind (ParticleKind) after the event
    uint32_t programme = 0;
    int32_t stars = 0;       // records a burst or second stage made
    float duration = 0.0f;   // seconds the sound's cause lasts, where it lasts
    Vec3 position;
};

// Where a simulation puts its events; null (the default) reports nothing and
// costs one test per event site.
using SimEventList = std::vector<SimEvent>;

}  // namespace lumora
