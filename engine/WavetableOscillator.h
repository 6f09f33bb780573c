// One tone model of a voice: a 27-bit phase accumulator reading a wavetable
// without interpolation (the low 16 bits are the fraction). String and Sine
// add a second partial an octave up, flattened as "Vivid" rises. The table
// level follows the pitch so that no harmonic passes the Nyquist frequency.
#pragma once

#include "PhaseIncrementTable.h"
#include "SynthGlobals.h"

#include <cstdint>

class WavetableOscillator {
public:
    WavetableOscillator();

    void Prepare(int model, const SynthGlobals& settings, const PhaseIncrementTable& increments,
                 const double* bend);
    // Once per tick: p in 1/128 semitone, modulation scales the amplitude.
    void UpdatePitch(double p, double modulation);
    // Adds frames samples to buffer.
    void RenderAdd(double* buffer, int frames);
    void SetVivid(double vivid);

    const double* bendSource = nullptr;  // the instrument's pitch bend, -1..1
    int32_t type = kModelString;
    int32_t bendRange = 0;               // 1/128 semitone per unit of bend
    int32_t transpose = 0;
    int32_t tuning = 0;
    double level = 0.0;                  // from the variation position
    int32_t pitchOffset = 0;
    int32_t lastIndex = -1;
    const double* table = nullptr;
    double amplitude = 0.0;
    double octaveAmplitude = 0.0;        // String and Sine only
    double octaveRatio = 1.0;            // String and Sine only
    int32_t phase = 0;
    int32_t octavePhase = 0;
    int32_t increment = 0;
    int32_t octaveIncrement = 0;

private:
    const PhaseIncrementTable* increments = nullptr;
};
