// One playing sound: the program's own synthesis of each kind from white
// noise (no recordings, no sample files), the air's low-pass for its
// distance, its level and its equal-power pan.
//
//   boom     two noise layers, low-passed near 80 Hz (slow decay) and near
//            320 Hz (fast decay), and a short broadband crack; 1 ms attack;
//            bigger bursts louder and longer; a two-stage shell's deeper
//   pop      a small, short boom
//   stage2   a deep double boom, the hits 90 ms apart
//   crackle  short noise impulses (about 20 ms, square-law decay,
//            low-passed near 800 Hz) at random times over the pops' spread
//   launch   a low thump, then the motor's hiss for as long as it burns
//   fountain a roaring band of noise that fades with the fountain
//   pinwheel a whirr, swelling and fading as the wheel turns
//   glitter  a sizzle of tiny clicks, fading over the glitter's life
//
// A voice is a plain value with no allocation: the mixer keeps a fixed
// array of them and may run them on an audio thread.
#pragma once

#include <cstdint>

#include "renderer/sound/sound_cue.h"
#include "renderer/sound/sound_random.h"

namespace lumora {

// y += a (x - y): a one-pole low-pass.
struct OnePole {
    float a = 1.0f;
    float z = 0.0f;
    float step(float x) {
        z = z + a * (x - z);
        return z;
    }
};

class Voice {
public:
    static constexpr int kMaxPops = 48;

    void start(const SoundCue& cue);
    // Adds n samples into left and right. False once the voice has ended
    // (it then adds nothing more).
    bool render(float* left, float* right, int n);
    // The voice's current loudness, for the voice limit: the cue's gain at
    // the start, falling with the voice's envelope.
    float level() const { return level_; }
    float gain() const { return gain_; }
    bool active() const { return active_; }
    void stop() { active_ = false; }
    SoundKind kind() const { return kind_; }

private:
    // Noise through two identical one-poles (or none), an envelope of
    // linear attacks and an exponential decay.
    struct Layer {
        OnePole p1, p2;
        bool filtered = true;
        float norm = 1.0f;  // scales the filtered noise to the common rms
        float env = 0.0f;
        float decay = 1.0f;  // per sample
        float rise = 0.0f;   // added per sample while the first attack lasts
        float rise2 = 0.0f;  // the same during the second hit (stage2), set when it comes
        float peak = 0.0f;
    };
    struct Impulse {
        int32_t age = 0;
        int32_t length = 1;
        float amp = 0.0f;
    };

    void startImpulsive(const SoundCue& cue);
    void startCrackle(const SoundCue& cue);
    void startLasting(const SoundCue& cue);
    int renderImpulsive(float* mono, int n);
    int renderCrackle(float* mono, int n);
    int renderLasting(float* mono, int n);
    // The envelope of a lasting sound at an age in samples.
    float lastingEnvelope(int64_t age) const;

    bool active_ = false;
    SoundKind kind_ = SoundKind::Boom;
    SoundRandom noise_;
    float gain_ = 0.0f, left_ = 0.0f, right_ = 0.0f;
    OnePole air1_, air2_;
    int64_t age_ = 0;
    int64_t maxAge_ = 0;
    float level_ = 0.0f;

    // Impulsive kinds: body, mid and crack layers; the attack windows.
    Layer layers_[3];
    int32_t attack_ = 48;
    int32_t secondHit_ = -1;  // sample of stage2's second hit
    float peakSum_ = 1.0f;

    // Crackle: the pops' start samples and amplitudes, in time order.
    int32_t popAt_[kMaxPops] = {};
    float popAmp_[kMaxPops] = {};
    int32_t pops_ = 0, nextPop_ = 0;
    Impulse impulses_[8];
    int32_t activeImpulses_ = 0;
    OnePole crackleFilter_;
    float crackleNorm_ = 1.0f;

    // Lasting kinds: their filters, length and swell.
    OnePole hi_, lo_;
    float bandNorm_ = 1.0f;
    int64_t duration_ = 0;
    Layer thump_;
    float hissAmp_ = 0.0f;
    float click_ = 0.0f;      // glitter's current click
    float wobble_ = 1.0f;     // fountain's slow flicker
    float wobbleTarget_ = 1.0f;
    float phase_ = 0.0f;      // pinwheel's turn, radians
    float phaseStep_ = 0.0f;  // per sample
};

// One-pole coefficient for a corner frequency at 48 kHz.
float onePoleCoefficient(float hz);
// Scale that brings uniform white noise in [-1, 1) through two identical
// one-poles of coefficient a (or one, or none) to an rms of `rms`.
float lowPassNoiseNorm(float a, int poles, float rms);

}  // namespace lumora
