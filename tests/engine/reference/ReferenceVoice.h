// Frozen copy of one voice as it rendered before the engine batched its
// voices: five wavetable oscillators, the Glass phaser, the wood filter, the
// main filter and the envelopes, one sample after the other. Used only by
// the equivalence test; see ReferenceBlocks.h.
#pragma once

#include "ReferenceBlocks.h"

#include "PhaseIncrementTable.h"
#include "SynthGlobals.h"

#include <cstdint>
#include <vector>

namespace reference {

class WavetableOscillator {
public:
    WavetableOscillator();

    void Prepare(int model, const SynthGlobals& settings, const PhaseIncrementTable& increments,
                 const double* bend);
    void UpdatePitch(double p, double modulation);
    void RenderAdd(double* buffer, int frames);
    void SetVivid(double vivid);

    const double* bendSource = nullptr;
    int32_t type = kModelString;
    int32_t bendRange = 0;
    int32_t transpose = 0;
    int32_t tuning = 0;
    double level = 0.0;
    int32_t pitchOffset = 0;
    int32_t lastIndex = -1;
    const double* table = nullptr;
    double amplitude = 0.0;
    double octaveAmplitude = 0.0;
    double octaveRatio = 1.0;
    int32_t phase = 0;
    int32_t octavePhase = 0;
    int32_t increment = 0;
    int32_t octaveIncrement = 0;

private:
    const PhaseIncrementTable* increments = nullptr;
};

class Voice {
public:
    Voice();

    void Prepare(double rate, const SynthGlobals& globals, const PhaseIncrementTable& increments,
                 const double* pitchBend);
    void Start(int32_t newNote, double newPitch, int32_t newVelocity, int32_t newSerial);
    void Release();
    void UpdateControl(double vibrato, double morph);
    void Render(double* mixLeft, double* mixRight, int frames);

    void SetVivid(double value);
    void SetRelease(double value);
    void SetEnvelopeShape(double value);
    void SetMorphRate(double rate);
    void UpdateModelLevels();
    void UpdateReleaseTimes();

    const SynthGlobals* settings = nullptr;
    WavetableOscillator oscillators[kModelCount];
    AllpassPhaser phaser;
    LadderFilter woodFilter;
    LadderFilter mainFilter;
    Envelope envWoodFilter;
    Envelope envFilter;
    Envelope envMaster;
    Envelope envMorph;
    TriangleLfo phaserLfo;
    TriangleLfo tremoloLfo;
    int32_t tickLength = 0;
    int32_t scratchLength = 0;
    std::vector<double> scratch;
    const double* pitchBend = nullptr;
    double velocityGain = 0.0;
    double morphInput = 0.0;
    double variationX = 0.0;
    double variationY = 0.0;
    double variationX2 = 0.0;
    double variationY2 = 0.0;
    double phaserMix = 0.0;
    double woodAmount = 0.0;
    double vivid = 0.0;
    double tremoloDepth = 0.0;
    double phaserLfoDepth = 0.0;
    double filterEnvAmount = 0.0;
    double phaserCenterFactor = 0.0;
    double woodCutoffFactor = 0.0;
    double mainCutoffFactor = 0.0;
    int32_t morphMode = 0;
    double sampleRate = 0.0;
    double radiansPerSample = 0.0;
    bool active = false;
    bool keyHeld = false;
    bool sustained = false;
    double pitch = 0.0;
    double baseCutoff = 0.0;
    double filterReleaseFactor = 0.0;
    double masterReleaseFactor = 0.0;
    double release = 0.0;
    int32_t note = 0;
    int32_t velocity = 0;
    int32_t serial = 0;
};

}  // namespace reference
