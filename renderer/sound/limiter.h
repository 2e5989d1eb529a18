// The master limiter: no sample leaves above the ceiling of -0.1 dBFS
// (0.98855 of full scale), so thirty bursts at once never clip.
//
// It has no look-ahead, so it adds no delay and every sound still starts on
// its own sample: the gain drops at once to what the loudest channel of the
// current sample needs, holds for 10 ms (a low boom's cycle, so the gain
// does not pump within it) and then returns to 1 with a 150 ms time
// constant. Below the ceiling with the gain back at 1, samples pass exactly.
#pragma once

namespace lumora {

class Limiter {
public:
    static constexpr float kCeiling = 0.98855f;  // -0.1 dBFS

    explicit Limiter(int sampleRate = 48000);

    // One stereo sample, in place. A sample that is not finite comes out as
    // silence (it would otherwise hold the gain at 0 for ever).
    void process(float& left, float& right);

    float gain() const { return 1.0f - reduction_; }

private:
    float reduction_ = 0.0f;  // 1 - gain
    int hold_ = 0;
    int holdSamples_;
    float release_;  // the share of the reduction undone each sample
};

}  // namespace lumora
