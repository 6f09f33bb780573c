// "Air": a three-tap stereo chorus after the voice mix. The mono sum
//   x = (left + right) * 0.33
// feeds three delay lines whose delays (1 ms .. 17 ms) follow two three-phase
// LFOs; taps 1 and 2 go left and right, tap 3 to both:
//   wetLeft = (2 tap1 + tap3) / 2,  wetRight = (2 tap2 + tap3) / 2
//   out = dry + (wet - dry) * mix
// Delays glide to their targets over one control tick, so the taps read
// between samples with linear interpolation.
// Once the lines hold nothing but +0, +0 input gives exactly +0 output (the
// taps are +0 + frac * (+0), frac in [0, 1)), so an idle instance only moves
// the write position and the delays on (PassSilence).
#pragma once

#include "engine/ThreePhaseLfo.h"

#include <cstdint>
#include <vector>

namespace orv::engine {

class AirChorus {
public:
    // Sizes the lines for a sample rate and clears them (outside the audio path).
    void PrepareDelayLines(double rate);
    void SetModulation(double slowRate, double fastRate, double depthSetting);
    // Once per control tick.
    void ControlStep();
    // frames samples from the mix into the outputs.
    void Process(const double* mixLeft, const double* mixRight, double* outLeft, double* outRight, int frames);
    // True when Process would turn frames of +0 input into +0 output: the
    // lines hold +0 only, and the delays and the mix are finite.
    bool Settled() const;
    // Process for frames of +0 input while Settled(), without touching the
    // outputs (they are +0): the state ends exactly as Process leaves it.
    void PassSilence(int frames);

    ThreePhaseLfo slow;
    ThreePhaseLfo fast;
    double sampleRate = 0.0;
    double inverseSampleRate = 0.0;
    double glidePerSample = 0.0;  // 999 / sample rate
    std::vector<double> lines[3];
    int32_t lineLength = 0;
    int32_t writePosition = 0;
    int32_t silentRun = 0;              // how many of the newest line samples are +0, at most lineLength
    double delay[3] = {0.0, 0.0, 0.0};  // samples
    double delayStep[3] = {0.0, 0.0, 0.0};
    double mix = 0.0;  // parameter "Air"
    double depth = 0.0;
};

}  // namespace orv::engine
