// Sound settings shared by every instance in the process: not parameters,
// but shaping the engine (bend range, vibrato, velocity response, the five
// models' levels and tunings, the envelope blends, the modulators). They
// start at these defaults; the configuration file may replace any of them.
#pragma once

#include <cstdint>

namespace orv::engine {

enum ToneModel : int {
    kModelString = 0,
    kModelWood = 1,
    kModelMetal = 2,
    kModelGlass = 3,
    kModelSine = 4,
    kModelCount = 5,
};

// Attack, decay and sustain at the soft end, at the break point and at the
// percussive end of the "Envelope" parameter.
struct EnvelopeBlend {
    double attackSoft, attackBreak, attackPerc;
    double decaySoft, decayBreak, decayPerc;
    double sustainSoft, sustainBreak, sustainPerc;
};

struct SynthGlobals {
    int32_t pitchBendRange = 2;  // semitones
    double vibratoRate = 5.6;    // Hz
    double vibratoDepth = 0.7;   // semitones at full mod wheel
    double velocity = 0.8;       // velocity sensitivity
    double modelVolume[kModelCount] = {0.5, 0.4, 0.4, 0.5, 1.0};
    int32_t modelTranspose[kModelCount] = {0, 0, 0, 0, 0};  // semitones
    int32_t modelTuning[kModelCount] = {0, 0, 12, -5, 0};   // 1/128 semitone

    double woodFilterVolume = 0.3;
    double woodFilterCutoff = 1.0;  // times the note frequency
    double woodFilterResonance = 0.99;
    double woodFilterBreak = 0.6;
    EnvelopeBlend woodFilterEnvelope = {0.4, 0.3, 0.0, 0.6, 0.4, 0.1, 1.0, 0.5, 0.0};

    double filterCutoff = 1.5;  // times the note frequency
    double filterResonance = 0.0;
    double filterEnvAmount = 1.0;
    double filterBreak = 0.4;
    EnvelopeBlend filterEnvelope = {0.6, 0.0, 0.0, 0.65, 0.7, 0.4, 0.5, 0.5, 0.0};

    double masterBreak = 0.5;
    EnvelopeBlend masterEnvelope = {0.6, 0.0, 0.0, 1.0, 0.8, 0.2, 1.0, 0.5, 0.0};

    // Read and kept, but nothing in the engine uses them.
    double stringVibratoRate1 = 2.7;
    double stringVibratoRate2 = 6.5;
    double stringVibratoDepth = 0.16;

    double phaserCenter = 4.0;  // times the note frequency
    double phaserResonance = 0.9;
    double phaserRate = 0.3;  // Hz
    double phaserDepth = 0.5;

    double tremoloRate = 5.5;  // Hz
    double tremoloDepth = 0.5;

    // The "Air" chorus modulation; fixed, no setting changes them.
    double airSlowRate = 0.003;
    double airFastRate = 0.005;
    double airDepth = 0.6;
};

// The one record of the process.
SynthGlobals& GlobalSynthSettings();

}  // namespace orv::engine
