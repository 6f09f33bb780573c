// One voice: five tone models mixed by the variation position, the Glass
// model through a phaser, a wood filter ringing at the note, a main lowpass
// with its own envelope, and the amplitude envelope. Pitch, levels, cutoffs
// and the LFOs move once per control tick, here; the per-sample work of the
// active voices is done several voices at a time by the lane kernel, into
// whose lanes a voice puts its audio-rate state and takes it back.
#pragma once

#include "engine/EngineParameters.h"
#include "engine/Envelope.h"
#include "engine/FilterState.h"
#include "engine/PadPosition.h"
#include "engine/PhaseIncrementTable.h"
#include "engine/SynthGlobals.h"
#include "engine/TriangleLfo.h"
#include "engine/VoiceLanes.h"
#include "engine/WavetableOscillator.h"

#include <cstdint>

namespace orv::engine {

class Voice {
public:
    // The shared settings and pitch bend every later call reads.
    void Bind(const SynthGlobals& globals, const double* bend);
    // Made ready for a sample rate; silent afterwards.
    void Prepare(double rate, const PhaseIncrementTable& increments);
    void Start(int32_t newNote, double newPitch, int32_t newVelocity, int32_t newSerial);
    void Release();
    // Once per tick, active voices only: vibrato in 1/128 semitone, morph 0..1.
    void UpdateControl(double vibrato, double morph);

    // The two pad positions the model levels are mixed from (the second
    // only while a morph mode is on).
    void SetPads(PadPosition first, PadPosition second);
    void SetMorphMode(int32_t mode);
    void SetVivid(double value);
    void SetRelease(double value);
    void SetEnvelopeShape(double value);
    void SetMorphRate(double rate);
    void SetSustained(bool held) { sustained = held; }

    // The audio-rate state into lane k of the kernel's lanes, and back.
    void PutInLane(VoiceLanes& lanes, int k);
    void TakeFromLane(const VoiceLanes& lanes, int k);

    bool IsActive() const { return active; }
    bool IsKeyHeld() const { return keyHeld; }
    int32_t Note() const { return note; }
    int32_t Velocity() const { return velocity; }
    int32_t Serial() const { return serial; }
    double Pitch() const { return pitch; }
    double ModelLevel(int model) const { return oscillators[model].level; }
    // Where between the two variation points the voice stands (0..1), as the
    // last tick saw it.
    double MorphInput() const { return morphInput; }
    const Envelope& MorphEnvelope() const { return envMorph; }
    const Envelope& AmplitudeEnvelope() const { return envMaster; }

private:
    void UpdateModelLevels();
    void UpdateReleaseTimes();
    void RefreshTickCoefficients();

    const SynthGlobals* settings = nullptr;
    const double* pitchBend = nullptr;  // the instrument's, -1..1

    // Audio rate: what the lanes run on.
    WavetableOscillator oscillators[kModelCount];
    FilterState<double> phaser = kFreshFilter;
    FilterState<double> woodFilter = kFreshFilter;
    FilterState<double> mainFilter = kFreshFilter;
    FilterSetting phaserSetting;
    FilterSetting woodSetting;
    FilterSetting mainSetting;  // its cutoff moves per sample, with envFilter
    Envelope envWoodFilter;     // wood filter level
    Envelope envFilter;         // main filter cutoff
    Envelope envMaster;         // amplitude

    // Control rate.
    Envelope envMorph;  // per-voice morph ("One Shot"), stepped per tick
    TriangleLfo phaserLfo;
    TriangleLfo tremoloLfo;
    double velocityGain = 0.0;
    double morphInput = 0.0;
    PadPosition variation;
    PadPosition secondVariation;
    double phaserMix = 0.0;   // Vivid times the phaser depth
    double woodAmount = 0.0;  // how far the pad is on the Wood side, squared
    double vivid = 0.0;
    double tremoloDepth = 0.0;  // Vivid times the tremolo depth
    double phaserLfoDepth = 0.0;
    double filterEnvAmount = 0.0;
    // Note frequency to cutoff in radians per sample, per filter.
    double phaserCenterFactor = 0.0;
    double woodCutoffFactor = 0.0;
    double mainCutoffFactor = 0.0;
    int32_t morphMode = kMorphOff;
    double radiansPerSample = 0.0;
    bool active = false;
    bool keyHeld = false;
    bool sustained = false;
    double pitch = 0.0;       // 1/128 semitone, without bend and vibrato
    double baseCutoff = 0.0;  // main filter cutoff from the note, radians per sample
    // Release settings of the percussive end of "Envelope": the filter and
    // amplitude releases scale with their decays there.
    double filterReleaseFactor = 0.0;
    double masterReleaseFactor = 0.0;
    double release = 0.0;
    int32_t note = 0;
    int32_t velocity = 0;
    int32_t serial = 0;  // start order: the lowest is stolen first
};

}  // namespace orv::engine
