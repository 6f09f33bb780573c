// The per-sample signal flow of a voice, written once against the lane
// vocabulary (simd/LaneVector.h for several voices at once, simd/ScalarLane.h
// for one) and run for the lanes of VoiceLanes:
//
//   model  = table[phase >> 16] * amplitude                    (Wood, Metal, Glass)
//          = (table[octave >> 16] * octaveAmplitude + table[phase >> 16]) * amplitude
//                                                               (String, Sine)
//            phases advance by their increments, modulo 2^27; a model whose
//            level is 0 adds nothing and its phases stand still
//   glass  = 0 + Glass
//   x      = glass + (phaser(glass) - glass) * phaserMix
//   x     += String; x += Wood; x += Metal; x += Sine         (in this order)
//   step envWoodFilter, envFilter, envMaster                   (not on sample 0)
//   if woodGain > 0: x += wood(x) * woodGain * envWoodFilter * (1 + (x - 1) * ring)
//   cutoff = filterEnvAmount * envFilter + baseCutoff          (coefficients if it moved)
//   out    = main(x) * velocityGain * envMaster
//
// Only IEEE add, subtract, multiply, divide, compare, min/max-as-select and
// bitwise select are used, never fused multiply-add, so every lane width
// gives the same bits. Included only by the VoiceLaneKernel*.cpp files, each
// built for one instruction set after including its lane vocabulary.
#pragma once

#include "engine/AllpassPhaser.h"
#include "engine/Envelope.h"
#include "engine/LadderFilter.h"
#include "engine/SynthGlobals.h"
#include "engine/VoiceLanes.h"

#include <cstddef>
#include <cstdint>

namespace orv::engine {

namespace {

// A record's lanes first .. first + kWidth - 1 as one State<Value>.
template <class L, template <class> class State>
ORV_LANE_INLINE State<typename L::Value> LoadRecord(const LaneRecord<State>& record, int first)
{
    State<typename L::Value> state;
    ForEachField<State, typename L::Value>(
        [&](size_t f, auto field) ORV_LANE_INLINE_LAMBDA { state.*field = L::Load(record.row[f].at + first); });
    return state;
}

template <class L, template <class> class State>
ORV_LANE_INLINE void StoreRecord(LaneRecord<State>& record, int first, const State<typename L::Value>& state)
{
    ForEachField<State, typename L::Value>(
        [&](size_t f, auto field) ORV_LANE_INLINE_LAMBDA { L::Store(record.row[f].at + first, state.*field); });
}

// ---- WavetableOscillator ----

// The 27-bit phases run in the top bits of 32-bit words, so that the word's
// own wrap-around is the phase's modulo 2^27 and the top 11 bits are the
// table index (phase >> 16): no masking per sample.
constexpr int kPhaseShift = 32 - 27;

template <class L>
struct Oscillator {
    typename L::Condition sounding;
    typename L::Value amplitude, octaveAmplitude;
    typename L::Index table, position, octavePosition, advance, octaveAdvance;
};

template <class L>
ORV_LANE_INLINE Oscillator<L> LoadOscillator(const OscillatorLanes& lanes, int first)
{
    Oscillator<L> o;
    o.sounding = L::Load(lanes.level.at + first) != L::Splat(0.0);
    o.amplitude = L::Load(lanes.amplitude.at + first);
    o.octaveAmplitude = L::Load(lanes.octaveAmplitude.at + first);
    o.table = L::LoadIndex(lanes.table.at + first);
    o.position = L::LoadIndex(lanes.phase.at + first) << kPhaseShift;
    o.octavePosition = L::LoadIndex(lanes.octavePhase.at + first) << kPhaseShift;
    o.advance = L::LoadIndex(lanes.advance.at + first) << kPhaseShift;
    o.octaveAdvance = L::LoadIndex(lanes.octaveAdvance.at + first) << kPhaseShift;
    return o;
}

template <class L>
ORV_LANE_INLINE void StoreOscillator(OscillatorLanes& lanes, int first, const Oscillator<L>& o)
{
    L::StoreIndex(lanes.phase.at + first, o.position >> kPhaseShift);
    L::StoreIndex(lanes.octavePhase.at + first, o.octavePosition >> kPhaseShift);
}

// What the model adds to the signal at this sample (-0, which adds nothing
// to any value, in silent lanes); then the phases move on.
template <bool octave, class L>
ORV_LANE_INLINE typename L::Value NextSample(Oscillator<L>& o, const double* bank, typename L::Value silent)
{
    using V = typename L::Value;
    constexpr int kIndexShift = 16 + kPhaseShift;
    const V fundamental = L::Gather(bank, o.table + (o.position >> kIndexShift));
    V value;
    if constexpr (octave) {
        const V upper = L::Gather(bank, o.table + (o.octavePosition >> kIndexShift));
        value = (upper * o.octaveAmplitude + fundamental) * o.amplitude;
        o.octavePosition += o.octaveAdvance;
    } else {
        value = fundamental * o.amplitude;
    }
    o.position += o.advance;
    return Select(o.sounding, value, silent);
}

// ---- Envelope ----

template <class L>
struct EnvelopeLane {
    using V = typename L::Value;
    EnvelopeMotion<V> motion;
    V before;      // the value before the last step
    bool stepped;  // a step was made since the stages were last read
    // The step ends a stage where value >= upper (attack: 1) or value <= lower
    // (decay, release: 0); other lanes have bounds no value passes, except
    // infinities, which FinishStage then leaves alone.
    V upper, lower;
    typename L::Condition stepping;  // stage above idle
    bool allStepping;
    int32_t stage[L::kWidth];
    const Envelope* const* source;
};

template <class L>
ORV_LANE_INLINE void ReadStages(EnvelopeLane<L>& e)
{
    double upper[L::kWidth], lower[L::kWidth];
    bool stepping[L::kWidth];
    for (int k = 0; k < L::kWidth; ++k) {
        stepping[k] = e.stage[k] > Envelope::kIdle;
        upper[k] = e.stage[k] == Envelope::kAttack ? 1.0 : __builtin_inf();
        lower[k] = e.stage[k] > Envelope::kAttack ? 0.0 : -__builtin_inf();
    }
    e.upper = L::Load(upper);
    e.lower = L::Load(lower);
    e.stepping = L::ConditionOf(stepping);
    e.allStepping = All(e.stepping);
    e.before = e.motion.value;
    e.stepped = false;
}

template <class L>
ORV_LANE_INLINE EnvelopeLane<L> LoadEnvelope(const EnvelopeLanes& lanes, int first)
{
    EnvelopeLane<L> e;
    e.motion = LoadRecord<L>(lanes.motion, first);
    for (int k = 0; k < L::kWidth; ++k)
        e.stage[k] = lanes.stage[first + k];
    e.source = lanes.source + first;
    ReadStages(e);
    return e;
}

// previous = the value before the last step, in the lanes that stepped
// since the stages were last read.
template <class L>
ORV_LANE_INLINE void KeepPrevious(EnvelopeLane<L>& e)
{
    if (e.stepped)
        e.motion.previous = Select(e.stepping, e.before, e.motion.previous);
}

template <class L>
ORV_LANE_INLINE void StoreEnvelope(EnvelopeLanes& lanes, int first, EnvelopeLane<L>& e)
{
    KeepPrevious(e);
    StoreRecord<L>(lanes.motion, first, e.motion);
    for (int k = 0; k < L::kWidth; ++k)
        lanes.stage[first + k] = e.stage[k];
}

// Envelope::Step up to its stage check; returns the lanes that may have
// crossed the end of their stage and need Settle.
template <class L>
ORV_LANE_INLINE typename L::Condition StepEnvelope(EnvelopeLane<L>& e)
{
    e.before = e.motion.value;
    e.stepped = true;
    const auto stepped = EnvelopeStep(e.motion.value, e.motion.target, e.motion.coefficient);
    e.motion.value = e.allStepping ? stepped : Select(e.stepping, stepped, e.motion.value);
    return (e.motion.value >= e.upper) | (e.motion.value <= e.lower);
}

// The end of Envelope::Step for the lanes that crossed the end of a stage;
// rare, so done one lane at a time.
template <class L>
ORV_LANE_INLINE void Settle(EnvelopeLane<L>& e)
{
    KeepPrevious(e);
    double value[L::kWidth], target[L::kWidth], coefficient[L::kWidth];
    L::Store(value, e.motion.value);
    L::Store(target, e.motion.target);
    L::Store(coefficient, e.motion.coefficient);
    for (int k = 0; k < L::kWidth; ++k)
        if (e.stage[k] > Envelope::kIdle)  // only a running stage can end (and only real voices run)
            e.source[k]->FinishStage(value[k], target[k], coefficient[k], e.stage[k]);
    e.motion.value = L::Load(value);
    e.motion.target = L::Load(target);
    e.motion.coefficient = L::Load(coefficient);
    ReadStages(e);
}

// ---- The voice ----

// Lanes first .. first + kWidth - 1 for frames samples. The filters' NaN
// guards cost a sixth of the work and almost never act; unguarded, a NaN
// entering a filter reaches all four of its states and stays there to the
// end of the run. So the run goes unguarded first, and only if some filter
// state ends as NaN (or might have, when an infinity was around) is it
// discarded and done again with the guards; lanes stays untouched until a
// run is kept.
template <class L, bool guarded>
bool RunLaneGroup(VoiceLanes& lanes, int first, int frames)
{
    using V = typename L::Value;
    using M = typename L::Condition;
    const double* const bank = lanes.bank;
    Oscillator<L> glassOscillator = LoadOscillator<L>(lanes.oscillators[kModelGlass], first);
    Oscillator<L> stringOscillator = LoadOscillator<L>(lanes.oscillators[kModelString], first);
    Oscillator<L> woodOscillator = LoadOscillator<L>(lanes.oscillators[kModelWood], first);
    Oscillator<L> metalOscillator = LoadOscillator<L>(lanes.oscillators[kModelMetal], first);
    Oscillator<L> sineOscillator = LoadOscillator<L>(lanes.oscillators[kModelSine], first);
    // A model silent in every lane adds -0 everywhere, which changes nothing.
    const bool glass = lanes.oscillators[kModelGlass].anySounding;
    const bool string = lanes.oscillators[kModelString].anySounding;
    const bool wood = lanes.oscillators[kModelWood].anySounding;
    const bool metal = lanes.oscillators[kModelMetal].anySounding;
    const bool sine = lanes.oscillators[kModelSine].anySounding;

    FilterState<V> phaser = LoadRecord<L>(lanes.phaser, first);
    FilterState<V> woodFilter = LoadRecord<L>(lanes.wood, first);
    FilterState<V> main = LoadRecord<L>(lanes.main, first);
    EnvelopeLane<L> envWoodFilter = LoadEnvelope<L>(lanes.envWoodFilter, first);
    EnvelopeLane<L> envFilter = LoadEnvelope<L>(lanes.envFilter, first);
    EnvelopeLane<L> envMaster = LoadEnvelope<L>(lanes.envMaster, first);

    const V phaserMix = L::Load(lanes.phaserMix.at + first);
    const V woodGain = L::Load(lanes.woodGain.at + first);
    const V ring = L::Load(lanes.ring.at + first);
    const V zero = L::Splat(0.0);
    const V silent = L::Splat(-0.0);
    const V one = L::Splat(1.0);
    const V two = L::Splat(2.0);
    const M woodOn = woodGain > zero;
    const bool anyWood = Any(woodOn);
    const bool allWood = All(woodOn);
    const V filterEnvAmount = L::Load(lanes.filterEnvAmount.at + first);
    const V baseCutoff = L::Load(lanes.baseCutoff.at + first);
    const V newFeedback = L::Load(lanes.newFeedback.at + first);
    const V newGain = L::Load(lanes.newGain.at + first);
    const V velocityGain = L::Load(lanes.velocityGain.at + first);
    // The unit normalisation is skipped only where the test pays (see kWide).
    const bool skipUnitNormalise = L::kWide && All(newFeedback == zero);
    V madeFor = L::Load(lanes.madeFor.at + first);
    V cutoff = L::Load(lanes.cutoff.at + first);

    for (int i = 0; i < frames; ++i) {
        // The voice's buffer starts at 0; Glass goes in first, through the phaser.
        V x = zero;
        if (glass)
            x = zero + NextSample<false>(glassOscillator, bank, silent);
        x = x + (PhaserStep<guarded>(phaser, x, one) - x) * phaserMix;
        if (string)
            x = x + NextSample<true>(stringOscillator, bank, silent);
        if (wood)
            x = x + NextSample<false>(woodOscillator, bank, silent);
        if (metal)
            x = x + NextSample<false>(metalOscillator, bank, silent);
        if (sine)
            x = x + NextSample<true>(sineOscillator, bank, silent);

        if (i > 0) {
            const M woodEnds = StepEnvelope(envWoodFilter);
            const M filterEnds = StepEnvelope(envFilter);
            const M masterEnds = StepEnvelope(envMaster);
            if (Any(woodEnds | filterEnds | masterEnds)) [[unlikely]] {
                Settle(envWoodFilter);
                Settle(envFilter);
                Settle(envMaster);
            }
        }

        if (anyWood) {
            const FilterState<V> before = woodFilter;
            const V wet = x + LadderStep<guarded>(woodFilter, x, one) * woodGain * envWoodFilter.motion.value *
                                  (one + (x - one) * ring);
            if (allWood) {
                x = wet;
            } else {
                // Lanes without the wood path keep their filter as it was.
                x = Select(woodOn, wet, x);
                woodFilter.s1 = Select(woodOn, woodFilter.s1, before.s1);
                woodFilter.s2 = Select(woodOn, woodFilter.s2, before.s2);
                woodFilter.s3 = Select(woodOn, woodFilter.s3, before.s3);
                woodFilter.s4 = Select(woodOn, woodFilter.s4, before.s4);
                woodFilter.offset = Select(woodOn, woodFilter.offset, before.offset);
            }
        }

        // New coefficients in the lanes whose cutoff moved.
        cutoff = filterEnvAmount * envFilter.motion.value + baseCutoff;
        const M moved = cutoff != madeFor;
        if (Any(moved)) {
            const LadderCoefficients<V> c = LadderCoefficientsFor(cutoff, newFeedback, one, two, skipUnitNormalise);
            if (All(moved)) {
                madeFor = cutoff;
                main.feedback = newFeedback;
                main.gain = newGain;
                main.b = c.b;
                main.g = c.g;
                main.g4 = c.g4;
                main.normalise = c.normalise;
            } else {
                madeFor = Select(moved, cutoff, madeFor);
                main.feedback = Select(moved, newFeedback, main.feedback);
                main.gain = Select(moved, newGain, main.gain);
                main.b = Select(moved, c.b, main.b);
                main.g = Select(moved, c.g, main.g);
                main.g4 = Select(moved, c.g4, main.g4);
                main.normalise = Select(moved, c.normalise, main.normalise);
            }
        }
        const V y = LadderStep<guarded>(main, x, one);
        L::Store(lanes.out + static_cast<size_t>(i) * kLaneWidth + first, y * velocityGain * envMaster.motion.value);
    }

    if constexpr (!guarded) {
        const V sums[] = {(phaser.s1 + phaser.s2) + (phaser.s3 + phaser.s4),
                          (woodFilter.s1 + woodFilter.s2) + (woodFilter.s3 + woodFilter.s4),
                          (main.s1 + main.s2) + (main.s3 + main.s4)};
        for (const V& sum : sums)
            if (Any(sum != sum))
                return false;
    }

    StoreOscillator(lanes.oscillators[kModelGlass], first, glassOscillator);
    StoreOscillator(lanes.oscillators[kModelString], first, stringOscillator);
    StoreOscillator(lanes.oscillators[kModelWood], first, woodOscillator);
    StoreOscillator(lanes.oscillators[kModelMetal], first, metalOscillator);
    StoreOscillator(lanes.oscillators[kModelSine], first, sineOscillator);
    StoreRecord<L>(lanes.phaser, first, phaser);
    StoreRecord<L>(lanes.wood, first, woodFilter);
    StoreRecord<L>(lanes.main, first, main);
    StoreEnvelope(lanes.envWoodFilter, first, envWoodFilter);
    StoreEnvelope(lanes.envFilter, first, envFilter);
    StoreEnvelope(lanes.envMaster, first, envMaster);
    L::Store(lanes.madeFor.at + first, madeFor);
    L::Store(lanes.cutoff.at + first, cutoff);
    return true;
}

// Lanes 0 .. count - 1 (and whatever else shares their groups).
template <class L>
void RenderVoiceLanes(VoiceLanes& lanes, int count, int frames)
{
    static_assert(kLaneWidth % L::kWidth == 0);
    for (int first = 0; first < count; first += L::kWidth)
        if (!RunLaneGroup<L, false>(lanes, first, frames)) [[unlikely]]
            RunLaneGroup<L, true>(lanes, first, frames);
}

}  // namespace

}  // namespace orv::engine
