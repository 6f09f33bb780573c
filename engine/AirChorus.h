// "Air": a three-tap stereo chorus after the voice mix. The mono sum
//   x = (left + right) * 0.33
// feeds three delay lines whose delays (1 ms .. 17 ms) follow two three-phase
// LFOs; taps 1 and 2 go left and right, tap 3 to both:
//   wetLeft = (2 tap1 + tap3) / 2,  wetRight = (2 tap2 + tap3) / 2
//   out = dry + (wet - dry) * mix
// Delays glide to their targets over one control tick, so the taps read
// between samples with linear interpolation.
#pragma once

#include "ThreePhaseLfo.h"

#include <cstdint>
#include <vector>

class AirChorus {
public:
    // Sizes the lines for a sample rate and clears them (outside the audio path).
    void PrepareDelayLines(double rate);
    void SetModulation(double slowRate, double fastRate, double depthSetting);
    // Once per control tick.
    void ControlStep();
    // frames samples from the mix into the outputs.
    void Process(const double* mixLeft, const double* mixRight, double* outLeft, double* outRight, int frames);

    ThreePhaseLfo slow;
    ThreePhaseLfo fast;
    double sampleRate = 0.0;
    double inverseSampleRate = 0.0;
    double glidePerSample = 0.0;  // 999 / sample rate
    std::vector<double> lines[3];
    int32_t lineLength = 0;
    int32_t writePosition = 0;
    double delay[3] = {0.0, 0.0, 0.0};  // samples
    double delayStep[3] = {0.0, 0.0, 0.0};
    double mix = 0.0;    // parameter "Air"
    double depth = 0.0;
};
