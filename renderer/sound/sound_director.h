// The sound director: after each frame, turns the simulation's events into
// placed sounds (cues), with the camera of that frame. Which programme gets
// which sound is decided here:
//
//   every shell's burst         one boom, louder and longer with more stars;
//                               sharper for a flash-only shell (17), deeper
//                               for the two-stage shells (19, 20)
//   glitter shells (6, 8, 10)   and a sizzle
//   a timer star's break        a pop
//   crackle stars               their pops of one frame and place, one crackle
//   a second stage              a deep double boom (and the column's sizzle)
//   a shell leaving the ground  a thump and its motor's hiss
//   fountains, pinwheels        a roar, a whirr, for as long as they burn
//
// Deterministic: the only randomness (each sound's noise seed) comes from
// the director's own generator, seeded from the show's seed value. It never
// touches the show's generator.
#pragma once

#include <cstdint>
#include <vector>

#include "renderer/frame/frame_driver.h"
#include "renderer/sound/sound_cue.h"
#include "renderer/sound/sound_random.h"

namespace lumora {

class SoundDirector {
public:
    // Crackle pops of one frame this close (world units) to a group's
    // first pop join it.
    static constexpr float kCrackleGroupUnits = 400.0f;

    explicit SoundDirector(uint32_t showSeed);

    // The events of the frame the driver has just run (it must listen),
    // placed from its camera, appended to `cues`.
    void frame(const FrameDriver& driver, std::vector<SoundCue>& cues);
    // The same from values: the frame's show time, the eye and the camera's
    // back vector at that frame.
    void frame(double showTime, const Vec3& eye, const Vec3& back, const SimEventList& events,
               std::vector<SoundCue>& cues);

private:
    SoundCue place(SoundKind kind, const Vec3& at, float level, double showTime, const Vec3& eye, const Vec3& back);

    SoundRandom rng_;
    double lastShowTime_ = 0.0;
};

}  // namespace lumora
