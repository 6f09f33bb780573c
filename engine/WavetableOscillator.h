// One tone model of a voice: a 27-bit phase accumulator reading a wavetable
// without interpolation (the low 16 bits are the fraction). String and Sine
// add a second partial an octave up, flattened as "Vivid" rises. The table
// level follows the pitch so that no harmonic passes the Nyquist frequency.
// Per sample, with phases advancing by their increments modulo 2^27:
//   Wood, Metal, Glass: table[phase >> 16] * amplitude
//   String, Sine:       (table[octavePhase >> 16] * octaveAmplitude + table[phase >> 16]) * amplitude
// A model whose level is 0 adds nothing and its phases stand still. The
// sample loop runs in the lane kernel (VoiceLaneKernel.h), several voices at
// a time; this class holds the state and the per-tick pitch update.
#pragma once

#include "engine/PhaseIncrementTable.h"
#include "engine/SynthGlobals.h"

#include <climits>
#include <cstdint>

namespace orv::engine {

class WavetableOscillator {
public:
    WavetableOscillator();

    void Prepare(int model, const SynthGlobals& settings, const PhaseIncrementTable& increments, const double* bend);
    // Once per tick: p in 1/128 semitone, modulation scales the amplitude.
    // Inline, as it runs for every oscillator of every active voice.
    void UpdatePitch(double p, double modulation)
    {
        amplitude = (modulation + 1.0) * level;
        const int32_t index = PitchIndex(bendRange * *bendSource + (pitchOffset + p));
        increment = (*increments)[index];
        octaveIncrement = FloorToInt32(2.0 * increment * octaveRatio);
        if (index != lastIndex)
            ChooseTable(index);
    }
    void SetVivid(double vivid);

    const double* bendSource = nullptr;  // the instrument's pitch bend, -1..1
    int32_t type = kModelString;
    int32_t bendRange = 0;  // 1/128 semitone per unit of bend
    int32_t transpose = 0;
    int32_t tuning = 0;
    double level = 0.0;  // from the variation position
    int32_t pitchOffset = 0;
    int32_t lastIndex = -1;
    const double* table = nullptr;
    double amplitude = 0.0;
    double octaveAmplitude = 0.0;  // String and Sine only
    double octaveRatio = 1.0;      // String and Sine only
    int32_t phase = 0;
    int32_t octavePhase = 0;
    int32_t increment = 0;
    int32_t octaveIncrement = 0;

private:
    // Largest truncated pitch index passed on; beyond it the table clamps anyway.
    static constexpr double kIndexLimit = 1.0e9;

    // Truncated toward zero, NaN as 0, held within +-kIndexLimit.
    static int32_t PitchIndex(double pitch)
    {
        if (pitch >= kIndexLimit)
            return static_cast<int32_t>(kIndexLimit);
        if (pitch <= -kIndexLimit)
            return -static_cast<int32_t>(kIndexLimit);
        return pitch == pitch ? static_cast<int32_t>(pitch) : 0;
    }

    // floor(v), INT32_MAX for NaN and from 2^31 - 1 up, INT32_MIN below -2^31.
    static int32_t FloorToInt32(double v)
    {
        if (!(v < 2147483647.0))
            return INT32_MAX;
        if (!(v >= -2147483648.0))
            return INT32_MIN;
        const int32_t truncated = static_cast<int32_t>(v);
        return static_cast<double>(truncated) > v ? truncated - 1 : truncated;
    }

    // The table level for a new pitch index.
    void ChooseTable(int32_t index);

    const PhaseIncrementTable* increments = nullptr;
};

}  // namespace orv::engine
