// Up to kLaneWidth voices side by side for the lane kernel: field f of the
// voice in lane k is f.at[k]. Before a sub-block the engine copies each active
// voice's audio-rate state into a lane, the kernel runs the per-sample signal
// flow of all lanes at once with exactly the operations of one voice
// (VoiceLaneKernel.h), and the state goes back into the voices.
#pragma once

#include "engine/FilterState.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace orv::engine {

class Envelope;

constexpr int kLaneWidth = 8;

struct alignas(64) LaneDoubles {
    double at[kLaneWidth];
};

struct alignas(32) LaneWords {
    uint32_t at[kLaneWidth];
};

// Calls visit(index, field pointer) for every field of State<V>, in order,
// unrolled at compile time.
template <template <class> class State, class V, class Visit>
ORV_LANE_INLINE void ForEachField(Visit&& visit)
{
    constexpr auto fields = FieldsOf(static_cast<const State<V>*>(nullptr));
    // The formatter takes the attribute macro for the end of a function.
    // clang-format off
    [&]<size_t... f>(std::index_sequence<f...>) ORV_LANE_INLINE_LAMBDA {
        (visit(f, std::get<f>(fields)), ...);
    }(std::make_index_sequence<fields.size()>());
    // clang-format on
}

// The lanes of a state made of doubles (State<double>, whose FieldsOf lists
// its fields): row f holds field f of every lane, so that a field of several
// lanes is one load.
template <template <class> class State>
struct LaneRecord {
    static constexpr size_t kFields = FieldsOf(static_cast<const State<double>*>(nullptr)).size();

    void Put(int lane, const State<double>& one)
    {
        ForEachField<State, double>([&](size_t f, auto field) { row[f].at[lane] = one.*field; });
    }
    State<double> Get(int lane) const
    {
        State<double> one;
        ForEachField<State, double>([&](size_t f, auto field) { one.*field = row[f].at[lane]; });
        return one;
    }

    LaneDoubles row[kFields];
};

// An envelope's moving parts; its settings stay with the Envelope.
template <class V>
struct EnvelopeMotion {
    V value, target, coefficient;
    V previous;  // the value before the last step
};

template <class V>
constexpr auto FieldsOf(const EnvelopeMotion<V>*)
{
    using S = EnvelopeMotion<V>;
    return std::array{&S::value, &S::target, &S::coefficient, &S::previous};
}

struct EnvelopeLanes {
    LaneRecord<EnvelopeMotion> motion;
    int32_t stage[kLaneWidth];
    const Envelope* source[kLaneWidth];  // for the settings a stage change reads
};

// One tone model's WavetableOscillator per lane. A lane whose level is 0
// adds nothing and its phases stand still.
struct OscillatorLanes {
    bool anySounding = false;  // some lane's level is not 0
    LaneDoubles level, amplitude, octaveAmplitude;
    LaneWords table;                   // the lane's table: offset from the start of the bank, in samples
    LaneWords phase, octavePhase;      // 27-bit phases
    LaneWords advance, octaveAdvance;  // the increments, 0 in silent lanes
};

struct VoiceLanes {
    const double* bank = nullptr;    // WavetableBank's first sample
    OscillatorLanes oscillators[5];  // indexed by ToneModel

    LaneRecord<FilterState> phaser;
    LaneDoubles phaserMix;

    LaneRecord<FilterState> wood;
    LaneDoubles woodGain;  // the wood path runs in lanes where this is > 0
    LaneDoubles ring;

    LaneRecord<FilterState> main;
    LaneDoubles cutoff;       // the main filter's last cutoff
    LaneDoubles madeFor;      // the cutoff its coefficients were made for
    LaneDoubles newFeedback;  // feedback and gain a new cutoff brings
    LaneDoubles newGain;
    LaneDoubles filterEnvAmount;
    LaneDoubles baseCutoff;
    LaneDoubles velocityGain;

    EnvelopeLanes envWoodFilter, envFilter, envMaster;

    double* out = nullptr;  // each lane's output, [sample][lane]
};

// Renders frames samples of lanes 0 .. count - 1 into out.
using VoiceLaneKernel = void (*)(VoiceLanes& lanes, int count, int frames);

// The kernel compiled for each instruction set (SimdLevel.h); the scalar one
// runs the same signal flow one lane at a time.
void RenderVoiceLanesScalar(VoiceLanes& lanes, int count, int frames);
void RenderVoiceLanesBaseline(VoiceLanes& lanes, int count, int frames);
void RenderVoiceLanesAvx2(VoiceLanes& lanes, int count, int frames);
void RenderVoiceLanesAvx512(VoiceLanes& lanes, int count, int frames);

}  // namespace orv::engine
