// The synthesis of each sound kind; see voice.h.
//
// Everything is float arithmetic on noise from the voice's own generator, so
// the same cue gives the same samples on every run of a build. The per-sample
// loops keep to adds and multiplies: envelopes decay by a constant factor a
// sample, slow swells are interpolated across a block, and the pinwheel's
// turn takes one sine a block.
#include "renderer/sound/voice.h"

#include <algorithm>
#include <cmath>

#include "renderer/sound/placement.h"

namespace lumora {

namespace {

constexpr double kTwoPiD = 6.283185307179586;
constexpr float kFs = static_cast<float>(kSampleRate);
// Filtered noise is scaled to this rms: its peaks then lie near 1.
constexpr float kNoiseRms = 0.3f;
constexpr int kChunk = 256;

// The per-sample factor that lowers a level by 40 dB in `seconds`.
float decayPerSample(float seconds) {
    const double s = std::max(0.001, static_cast<double>(seconds));
    return static_cast<float>(std::exp(std::log(0.01) / (s * kSampleRate)));
}

// A value held inside [lo, hi], NaN taken as lo: cues from a broken show
// must neither crash nor run for ever.
float bounded(float v, float lo, float hi) { return v >= lo ? (v <= hi ? v : hi) : lo; }

// Noise gain of y = LP_hi(x) - LP_lo(x) (one-poles a1 > a2): the sum of its
// squared impulse response, h[n] = a1 p1^n - a2 p2^n.
double bandNoiseGain(double a1, double a2) {
    const double p1 = 1.0 - a1, p2 = 1.0 - a2;
    return a1 * a1 / (1.0 - p1 * p1) + a2 * a2 / (1.0 - p2 * p2) - 2.0 * a1 * a2 / (1.0 - p1 * p2);
}

// Noise gain of y = x - LP(x): h[0] = 1 - a, h[n] = -a p^n.
double highPassNoiseGain(double a) {
    const double p = 1.0 - a;
    return (1.0 - a) * (1.0 - a) + a * a * p * p / (1.0 - p * p);
}

}  // namespace

float onePoleCoefficient(float hz) {
    const double f = std::clamp(static_cast<double>(hz), 1.0, 20000.0);
    return static_cast<float>(1.0 - std::exp(-kTwoPiD * f / kSampleRate));
}

float lowPassNoiseNorm(float a, int poles, float rms) {
    const double ad = a, p = 1.0 - ad;
    double gain = 1.0;
    if (poles == 1) gain = ad * ad / (1.0 - p * p);
    if (poles == 2) gain = ad * ad * ad * ad * (1.0 + p * p) / std::pow(1.0 - p * p, 3.0);
    return static_cast<float>(rms / std::sqrt(gain / 3.0));  // uniform noise has variance 1/3
}

void Voice::start(const SoundCue& cue) {
    *this = Voice{};
    active_ = true;
    kind_ = cue.kind;
    noise_.reseed(cue.seed);
    gain_ = bounded(cue.gain, 0.0f, 100.0f);
    panGains(bounded(cue.pan, -1.0f, 1.0f), left_, right_);
    air1_.a = air2_.a = onePoleCoefficient(bounded(cue.cutoffHz, 20.0f, 20000.0f));
    switch (kind_) {
    case SoundKind::Boom:
    case SoundKind::Pop:
    case SoundKind::Stage2: startImpulsive(cue); break;
    case SoundKind::Crackle: startCrackle(cue); break;
    default: startLasting(cue); break;
    }
    level_ = gain_;
}

void Voice::startImpulsive(const SoundCue& cue) {
    // Corner frequencies, decay times (-40 dB) and peaks of the body, mid
    // and crack layers.
    struct Shape {
        float bodyHz, midHz;
        float bodyDecay, midDecay, crackDecay;
        float bodyPeak, midPeak, crackPeak;
    };
    const float stretch = 0.6f + 0.4f * bounded(cue.size, 0.1f, 4.0f);  // bigger bursts ring longer
    Shape shape{80.0f, 320.0f, 0.5f * stretch, 0.1f * stretch, 0.02f, 1.0f, 0.7f, 0.25f};
    if (kind_ == SoundKind::Boom && cue.deep) {
        shape.bodyHz = 55.0f;
        shape.midHz = 200.0f;
        shape.bodyDecay *= 1.6f;
        shape.midDecay *= 1.5f;
    }
    if (cue.salute) {
        shape.crackPeak = 0.6f;
        shape.crackDecay = 0.035f;
    }
    if (kind_ == SoundKind::Pop) shape = {150.0f, 600.0f, 0.12f, 0.04f, 0.01f, 0.6f, 0.8f, 0.2f};
    if (kind_ == SoundKind::Stage2) {
        shape = {50.0f, 180.0f, 0.9f * stretch, 0.16f * stretch, 0.02f, 1.0f, 0.6f, 0.15f};
        secondHit_ = kSampleRate * 90 / 1000;
    }
    const float hz[3] = {shape.bodyHz, shape.midHz, 0.0f};
    const float decays[3] = {shape.bodyDecay, shape.midDecay, shape.crackDecay};
    const float peaks[3] = {shape.bodyPeak, shape.midPeak, shape.crackPeak};
    attack_ = kSampleRate / 1000;  // 1 ms
    peakSum_ = 0.0f;
    for (int i = 0; i < 3; ++i) {
        Layer& l = layers_[i];
        l.filtered = hz[i] > 0.0f;
        l.p1.a = l.p2.a = l.filtered ? onePoleCoefficient(hz[i]) : 1.0f;
        l.norm = lowPassNoiseNorm(l.p1.a, l.filtered ? 2 : 0, kNoiseRms);
        l.decay = decayPerSample(decays[i]);
        l.peak = peaks[i];
        l.rise = peaks[i] / static_cast<float>(attack_);
        peakSum_ += peaks[i];
    }
    // Ends 80 dB down (twice the body's decay), or at the latest here.
    maxAge_ = static_cast<int64_t>(2.2f * shape.bodyDecay * kFs) + std::max(secondHit_, 0) + attack_;
}

void Voice::startCrackle(const SoundCue& cue) {
    pops_ = std::clamp(cue.pops, 1, kMaxPops);
    const float spread = std::max(1.0f, bounded(cue.spread, 0.0f, 2.0f) * kFs);
    // Pops that overlap (many in one short frame) are each softer, so that
    // a dense crackle is as loud as a sparse one, not many times louder.
    const float overlap = static_cast<float>(pops_) * 0.02f * kFs / spread;
    const float popScale = overlap > 1.0f ? 1.0f / std::sqrt(overlap) : 1.0f;
    for (int i = 0; i < pops_; ++i) {
        const float u = noise_.uniform();
        const float v = noise_.uniform();
        // Insertion into time order (a few dozen pops at most).
        int at = i;
        const int32_t when = static_cast<int32_t>(u * spread);
        while (at > 0 && popAt_[at - 1] > when) {
            popAt_[at] = popAt_[at - 1];
            popAmp_[at] = popAmp_[at - 1];
            --at;
        }
        popAt_[at] = when;
        popAmp_[at] = (0.5f + 0.5f * v) * popScale;
    }
    crackleFilter_.a = onePoleCoefficient(800.0f);
    crackleNorm_ = lowPassNoiseNorm(crackleFilter_.a, 1, kNoiseRms);
    maxAge_ = popAt_[pops_ - 1] + kSampleRate * 30 / 1000 + 1;
}

void Voice::startLasting(const SoundCue& cue) {
    duration_ = static_cast<int64_t>(bounded(cue.duration, 0.2f, 60.0f) * kFs);
    maxAge_ = duration_;
    switch (kind_) {
    case SoundKind::Launch:
        thump_.p1.a = thump_.p2.a = onePoleCoefficient(110.0f);
        thump_.norm = lowPassNoiseNorm(thump_.p1.a, 2, kNoiseRms);
        thump_.decay = decayPerSample(0.18f);
        thump_.peak = 1.0f;
        thump_.rise = 1.0f / static_cast<float>(kSampleRate / 500);  // 2 ms
        lo_.a = onePoleCoefficient(1500.0f);
        bandNorm_ = static_cast<float>(kNoiseRms / std::sqrt(highPassNoiseGain(lo_.a) / 3.0));
        hissAmp_ = 0.22f;
        maxAge_ = duration_ + kSampleRate * 3 / 10;  // the hiss's release
        break;
    case SoundKind::Fountain:
    case SoundKind::Pinwheel: {
        const bool fountain = kind_ == SoundKind::Fountain;
        hi_.a = onePoleCoefficient(fountain ? 2500.0f : 3500.0f);
        lo_.a = onePoleCoefficient(fountain ? 250.0f : 700.0f);
        bandNorm_ = static_cast<float>(kNoiseRms / std::sqrt(bandNoiseGain(hi_.a, lo_.a) / 3.0));
        hissAmp_ = 1.0f;
        // A wheel turns about twice a second; each spoke's sweep swells the whirr.
        phaseStep_ = static_cast<float>(kTwoPiD * (1.8 + 0.8 * noise_.uniform()) / kSampleRate);
        break;
    }
    default:  // glitter
        lo_.a = onePoleCoefficient(2500.0f);
        bandNorm_ = 1.0f;
        hissAmp_ = 1.0f;
        break;
    }
}

float Voice::lastingEnvelope(int64_t age) const {
    const float t = static_cast<float>(age) / kFs;
    const float d = static_cast<float>(duration_) / kFs;
    switch (kind_) {
    case SoundKind::Launch:
        // Up in 0.15 s, fading as the shell climbs away, gone 0.3 s after
        // the motor stops.
        if (t < 0.15f) return t / 0.15f;
        if (t < d) return 1.0f - 0.65f * (t - 0.15f) / std::max(d - 0.15f, 0.01f);
        return std::max(0.0f, 0.35f * (1.0f - (t - d) / 0.3f));
    case SoundKind::Glitter: {
        const float in = std::min(1.0f, t / 0.1f);
        return std::max(0.0f, in * (1.0f - t / d));
    }
    default: {
        // Fountains and pinwheels: in over half a second, then fading with
        // their light.
        const float in = std::min(1.0f, t / 0.5f);
        return std::max(0.0f, in * (1.0f - t / d));
    }
    }
}

int Voice::renderImpulsive(float* mono, int n) {
    Layer& body = layers_[0];
    Layer& mid = layers_[1];
    Layer& crack = layers_[2];
    for (int i = 0; i < n; ++i) {
        const int64_t a = age_ + i;
        float rb = 0.0f, rm = 0.0f, rc = 0.0f;
        if (a < attack_) {
            rb = body.rise;
            rm = mid.rise;
            rc = crack.rise;
        } else if (secondHit_ >= 0 && a >= secondHit_ && a < secondHit_ + attack_) {
            if (a == secondHit_) {
                // The second hit rises to 90 % of the first's peak from
                // whatever the first has left, never above it.
                for (Layer& l : layers_)
                    l.rise2 = std::max(0.0f, 0.9f * l.peak - l.env) / static_cast<float>(attack_);
            }
            rb = body.rise2;
            rm = mid.rise2;
            rc = crack.rise2;
        }
        body.env = body.env * body.decay + rb;
        mid.env = mid.env * mid.decay + rm;
        crack.env = crack.env * crack.decay + rc;
        const float x = noise_.bipolar();
        const float b = body.p2.step(body.p1.step(x));
        const float m = mid.p2.step(mid.p1.step(x));
        mono[i] = b * body.norm * body.env + m * mid.norm * mid.env + x * crack.norm * crack.env;
    }
    const float sum = body.env + mid.env + crack.env;
    level_ = gain_ * sum / peakSum_;
    const bool pastHits = age_ + n > std::max(secondHit_, 0) + attack_;
    return pastHits && sum < 1e-4f * peakSum_ ? 0 : n;
}

int Voice::renderCrackle(float* mono, int n) {
    for (int i = 0; i < n; ++i) {
        const int64_t a = age_ + i;
        while (nextPop_ < pops_ && popAt_[nextPop_] <= a) {
            // A new impulse of 14 to 26 ms; when eight overlap, the oldest goes.
            Impulse fresh;
            fresh.length = static_cast<int32_t>((0.7f + 0.6f * noise_.uniform()) * 0.02f * kFs);
            fresh.amp = popAmp_[nextPop_++];
            if (activeImpulses_ < 8) {
                impulses_[activeImpulses_++] = fresh;
            } else {
                int oldest = 0;
                for (int k = 1; k < 8; ++k)
                    if (impulses_[k].age > impulses_[oldest].age) oldest = k;
                impulses_[oldest] = fresh;
            }
        }
        float e = 0.0f;
        for (int k = 0; k < activeImpulses_;) {
            Impulse& im = impulses_[k];
            const float u = 1.0f - static_cast<float>(im.age) / static_cast<float>(im.length);
            e += im.amp * u * u;  // square-law decay
            if (++im.age >= im.length) {
                impulses_[k] = impulses_[--activeImpulses_];
            } else {
                ++k;
            }
        }
        mono[i] = crackleFilter_.step(noise_.bipolar() * e) * crackleNorm_;
    }
    level_ = gain_ * (nextPop_ < pops_ || activeImpulses_ > 0 ? 1.0f : 0.0f);
    return nextPop_ < pops_ || activeImpulses_ > 0 ? n : 0;
}

int Voice::renderLasting(float* mono, int n) {
    float env = lastingEnvelope(age_);
    const float step = (lastingEnvelope(age_ + n) - env) / static_cast<float>(n);
    switch (kind_) {
    case SoundKind::Launch: {
        Layer& t = thump_;
        const int64_t attack = kSampleRate / 500;
        for (int i = 0; i < n; ++i) {
            t.env = t.env * t.decay + (age_ + i < attack ? t.rise : 0.0f);
            const float x = noise_.bipolar();
            const float thump = t.p2.step(t.p1.step(x)) * t.norm * t.env;
            const float hiss = (x - lo_.step(x)) * bandNorm_ * hissAmp_ * env;
            mono[i] = thump + hiss;
            env += step;
        }
        level_ = gain_ * std::max(t.env, hissAmp_ * env);
        break;
    }
    case SoundKind::Fountain:
    case SoundKind::Pinwheel: {
        float swell = 1.0f;
        if (kind_ == SoundKind::Fountain) {
            // A slow random flicker of the roar.
            if (noise_.uniform() < 0.02f) wobbleTarget_ = 0.7f + 0.6f * noise_.uniform();
            wobble_ += (wobbleTarget_ - wobble_) * 0.05f;
            swell = wobble_;
        } else {
            swell = 0.55f + 0.45f * std::sin(phase_);
            phase_ = std::fmod(phase_ + phaseStep_ * static_cast<float>(n), 6.2831855f);
        }
        for (int i = 0; i < n; ++i) {
            const float x = noise_.bipolar();
            mono[i] = (hi_.step(x) - lo_.step(x)) * bandNorm_ * env * swell;
            env += step;
        }
        level_ = gain_ * env;
        break;
    }
    default: {  // glitter: about 1200 clicks a second, each dying in a millisecond
        const uint32_t threshold = static_cast<uint32_t>(1200.0 / kSampleRate * 4294967296.0);
        for (int i = 0; i < n; ++i) {
            const uint32_t r = noise_.next();
            if (r < threshold) click_ = 0.3f + 0.7f * static_cast<float>(r) / static_cast<float>(threshold);
            else click_ *= 0.9f;
            const float x = noise_.bipolar();
            mono[i] = (x - lo_.step(x)) * click_ * env;
            env += step;
        }
        level_ = gain_ * env;
        break;
    }
    }
    return age_ + n >= maxAge_ ? static_cast<int>(std::max<int64_t>(0, maxAge_ - age_)) : n;
}

bool Voice::render(float* left, float* right, int n) {
    float mono[kChunk];
    while (active_ && n > 0) {
        int m = std::min(n, kChunk);
        if (age_ + m > maxAge_) m = static_cast<int>(std::max<int64_t>(0, maxAge_ - age_));
        int produced = 0;
        if (m > 0) {
            switch (kind_) {
            case SoundKind::Boom:
            case SoundKind::Pop:
            case SoundKind::Stage2: produced = renderImpulsive(mono, m); break;
            case SoundKind::Crackle: produced = renderCrackle(mono, m); break;
            default: produced = renderLasting(mono, m); break;
            }
        }
        const float gl = gain_ * left_, gr = gain_ * right_;
        for (int i = 0; i < produced; ++i) {
            const float s = air2_.step(air1_.step(mono[i]));
            left[i] += s * gl;
            right[i] += s * gr;
        }
        age_ += m;
        if (produced < m || m == 0 || age_ >= maxAge_) {
            active_ = false;
            level_ = 0.0f;
        }
        left += m;
        right += m;
        n -= m;
    }
    return active_;
}

}  // namespace lumora
