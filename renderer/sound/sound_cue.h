// One placed sound: what it is, when the show's event happened, when and how
// loud it reaches the listener and from which side. The director makes cues
// from the simulation's events (show_sound.h); the mixer turns them into
// samples (mixer.h); lumora-render lists them.
#pragma once

#include <cstdint>

#include "renderer/sim/vec.h"

namespace lumora {

// The mixer's rate: 48 kHz stereo.
inline constexpr int kSampleRate = 48000;

enum class SoundKind : uint8_t {
    Boom,      // a shell's burst: every burst has exactly one
    Pop,       // a timer star's small break
    Stage2,    // a two-stage shell's second stage: a deep double boom
    Crackle,   // crackle stars popping within one frame
    Launch,    // a shell's thump off the ground and the hiss of its motor
    Fountain,  // a fountain's roar for its life
    Pinwheel,  // a pinwheel's whirr for its life
    Glitter,   // the sizzle of glitter stars
};

// One word per kind, as the cue list writes it.
const char* soundKindName(SoundKind kind);

struct SoundCue {
    SoundKind kind = SoundKind::Boom;
    double eventTime = 0.0;   // show seconds of the event's frame
    double startTime = 0.0;   // eventTime plus the sound's travel time
    int64_t startSample = 0;  // startTime at 48 kHz, rounded to the nearest sample
    double distanceM = 0.0;   // from the eye at the event's frame
    float pan = 0.0f;         // -1 left .. 1 right
    float gain = 0.0f;        // level at the listener (kind, size and distance)
    float cutoffHz = 0.0f;    // air absorption's corner for the distance
    Vec3 position;            // the event's place in world units
    float size = 1.0f;        // bigger bursts are louder and longer
    float duration = 0.0f;    // seconds, for the sounds that last (hiss, roar, sizzle)
    float spread = 0.0f;      // seconds over which a crackle's pops fall
    int32_t pops = 0;         // a crackle's pops
    bool deep = false;        // a two-stage shell's deeper boom
    bool salute = false;      // a flash-only shell: a sharper report
    uint32_t seed = 1;        // the voice's own noise
};

}  // namespace lumora
