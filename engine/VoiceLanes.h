// Up to kLaneWidth voices side by side for the lane kernel: field f of the
// voice in lane k is f.at[k] (or f[k]). Before a sub-block the engine copies
// each active voice's audio-rate state into a lane, the kernel runs the
// per-sample signal flow of all lanes at once with exactly the operations of
// one voice (VoiceLaneKernel.h), and the state goes back into the voices.
#pragma once

#include <cstdint>

class Envelope;

constexpr int kLaneWidth = 8;

struct alignas(64) LaneDoubles {
    double at[kLaneWidth];
};

struct alignas(32) LaneWords {
    uint32_t at[kLaneWidth];
};

// One tone model's WavetableOscillator per lane. A lane whose level is 0
// adds nothing and its phases stand still.
struct OscillatorLanes {
    bool anySounding = false;  // some lane's level is not 0
    LaneDoubles level, amplitude, octaveAmplitude;
    LaneWords table;  // the lane's table: offset from the start of the bank, in samples
    LaneWords phase, octavePhase;                // 27-bit phases
    LaneWords advance, octaveAdvance;            // the increments, 0 in silent lanes
};

struct EnvelopeLanes {
    LaneDoubles value, target, coefficient, previous;
    int32_t stage[kLaneWidth];
    const Envelope* source[kLaneWidth];  // for the settings a stage change reads
};

// Finishes the step just made in count lanes where it crossed the end of a
// stage, exactly as Envelope::Step does (attack -> decay at 1, decay or
// release -> idle at 0); source[k] gives lane k's settings. Rare, so done one
// lane at a time.
void SettleEnvelopeLanes(double* value, double* target, double* coefficient, int32_t* stage,
                         const Envelope* const* source, int count);

// A LadderFilter or AllpassPhaser per lane: coefficients and states
// (an AllpassPhaser keeps A in g and A^4 in g4).
struct FilterLanes {
    LaneDoubles g, g4, b, feedback, normalise, gain;
    LaneDoubles s1, s2, s3, s4, offset;
};

struct VoiceLanes {
    const double* bank = nullptr;  // WavetableBank's first sample
    OscillatorLanes oscillators[5];  // indexed by ToneModel

    FilterLanes phaser;
    LaneDoubles phaserMix;

    FilterLanes wood;
    LaneDoubles woodGain;  // the wood path runs in lanes where this is > 0
    LaneDoubles ring;

    FilterLanes main;
    LaneDoubles cutoff;        // the main filter's last cutoff
    LaneDoubles cachedCutoff;  // the cutoff its coefficients were made for
    LaneDoubles newFeedback;   // feedback and gain a new cutoff brings
    LaneDoubles newGain;
    LaneDoubles filterEnvAmount;
    LaneDoubles baseCutoff;
    LaneDoubles velocityGain;

    EnvelopeLanes envWoodFilter, envFilter, envMaster;

    double* out = nullptr;  // each lane's output, [sample][lane]
};

// Renders frames samples of lanes 0 .. count - 1 into out.
using VoiceLaneKernel = void (*)(VoiceLanes& lanes, int count, int frames);

// The kernel compiled for each instruction set (SimdLevel.h).
void RenderVoiceLanesBaseline(VoiceLanes& lanes, int count, int frames);
void RenderVoiceLanesAvx2(VoiceLanes& lanes, int count, int frames);
void RenderVoiceLanesAvx512(VoiceLanes& lanes, int count, int frames);
