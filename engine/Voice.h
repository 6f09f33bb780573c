// One voice: five tone models mixed by the variation position, the Glass
// model through a phaser, a wood filter ringing at the note, a main lowpass
// with its own envelope, and the amplitude envelope. Pitch, levels, cutoffs
// and the LFOs move once per control tick, here; the per-sample work of the
// active voices is done several voices at a time by VoiceBatch.
#pragma once

#include "AllpassPhaser.h"
#include "Envelope.h"
#include "LadderFilter.h"
#include "PhaseIncrementTable.h"
#include "SynthGlobals.h"
#include "TriangleLfo.h"
#include "WavetableOscillator.h"

#include <cstdint>

class Voice {
public:
    Voice();

    // Made ready for a sample rate; silent afterwards.
    void Prepare(double rate, const SynthGlobals& globals, const PhaseIncrementTable& increments,
                 const double* pitchBend);
    void Start(int32_t newNote, double newPitch, int32_t newVelocity, int32_t newSerial);
    void Release();
    // Once per tick, active voices only: vibrato in 1/128 semitone, morph 0..1.
    void UpdateControl(double vibrato, double morph);

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
    Envelope envWoodFilter;  // wood filter level
    Envelope envFilter;      // main filter cutoff
    Envelope envMaster;      // amplitude
    Envelope envMorph;       // per-voice morph ("One Shot"), stepped per tick
    TriangleLfo phaserLfo;
    TriangleLfo tremoloLfo;
    int32_t tickLength = 0;
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
    double pitch = 0.0;       // 1/128 semitone, without bend and vibrato
    double baseCutoff = 0.0;  // main filter cutoff from the note, radians per sample
    double filterReleaseFactor = 0.0;
    double masterReleaseFactor = 0.0;
    double release = 0.0;
    int32_t note = 0;
    int32_t velocity = 0;
    int32_t serial = 0;
};
