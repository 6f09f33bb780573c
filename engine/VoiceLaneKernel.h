// The per-sample signal flow of a voice, run for kLaneWidth voices at once.
// Each lane does exactly what WavetableOscillator, AllpassPhaser,
// LadderFilter, Envelope and Voice define for one voice, operation for
// operation and in the same order, using only IEEE add, subtract, multiply,
// divide, compare, min/max-as-select and bitwise select, never fused
// multiply-add; so every lane gives the bits the one-voice code would give:
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
// Included only by the VoiceLaneKernel*.cpp files, each compiled for one
// instruction set. Everything here has internal linkage, so no inline
// function built for a wider instruction set can stand in for another
// file's copy at link time.
#pragma once

#include "SynthGlobals.h"
#include "VoiceLanes.h"

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

#if defined(__GNUC__) && !defined(__clang__)
// The vectors never cross a function boundary that is not inlined, so how
// an ABI would pass them does not matter.
#pragma GCC diagnostic ignored "-Wpsabi"
// GCC 12 takes the undefined start value some intrinsics pass to their
// builtins for an uninitialised variable.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

// Everything below is forced inline: a call would pass the vectors through
// memory and break the dependency chains the processor overlaps.
#define ORV_LANE_INLINE inline __attribute__((always_inline))

namespace {

// The kernel runs kWidth lanes at a time, each value held as kParts vectors
// of the widest size the instruction set has (several registers per value
// give the processor independent work; SSE2, with its 16 registers, takes
// half the lanes at a time so that they are not all spilled). A mask marks
// the lanes where a condition holds: a bit per lane with AVX-512, all bits
// of the lane otherwise.
#if defined(__AVX512F__)
constexpr int kNativeWidth = 8;
constexpr int kWidth = 8;
#elif defined(__AVX__)
constexpr int kNativeWidth = 4;
constexpr int kWidth = 8;
#else
constexpr int kNativeWidth = 2;
constexpr int kWidth = 4;
#endif
constexpr int kParts = kWidth / kNativeWidth;
constexpr bool kWide = kNativeWidth >= 4;
static_assert(kLaneWidth % kWidth == 0 && kWidth % kNativeWidth == 0);

typedef double Native __attribute__((vector_size(kNativeWidth * sizeof(double))));
typedef long long NativeBits __attribute__((vector_size(kNativeWidth * sizeof(double))));
// A native vector at any double-aligned address.
typedef double NativeUnaligned __attribute__((vector_size(kNativeWidth * sizeof(double)), aligned(8), may_alias));
#if defined(__AVX512F__)
typedef __mmask8 NativeMask;
#else
typedef NativeBits NativeMask;
#endif
// The lanes' 32-bit phases and table indices.
typedef uint32_t Words __attribute__((vector_size(kWidth * sizeof(uint32_t))));

struct Vec {
    Native part[kParts];
};

struct Mask {
    NativeMask part[kParts];
};

#define ORV_LANEWISE(result, expression) \
    _Pragma("GCC unroll 8")              \
    for (int p = 0; p < kParts; ++p)     \
        result.part[p] = (expression);

ORV_LANE_INLINE Vec operator+(Vec a, Vec b) { Vec r; ORV_LANEWISE(r, a.part[p] + b.part[p]) return r; }
ORV_LANE_INLINE Vec operator-(Vec a, Vec b) { Vec r; ORV_LANEWISE(r, a.part[p] - b.part[p]) return r; }
ORV_LANE_INLINE Vec operator*(Vec a, Vec b) { Vec r; ORV_LANEWISE(r, a.part[p] * b.part[p]) return r; }
ORV_LANE_INLINE Vec operator/(Vec a, Vec b) { Vec r; ORV_LANEWISE(r, a.part[p] / b.part[p]) return r; }
ORV_LANE_INLINE Vec operator-(Vec a) { Vec r; ORV_LANEWISE(r, -a.part[p]) return r; }

// Comparisons as in C++: false where a NaN is involved, except != (true).
#if defined(__AVX512F__)
#define ORV_COMPARE(name, op, predicate)                                                                  \
    ORV_LANE_INLINE Mask operator op(Vec a, Vec b)                                                        \
    {                                                                                                     \
        Mask r;                                                                                           \
        ORV_LANEWISE(r, _mm512_cmp_pd_mask((__m512d)a.part[p], (__m512d)b.part[p], predicate))            \
        return r;                                                                                         \
    }
#else
#define ORV_COMPARE(name, op, predicate)                                                                  \
    ORV_LANE_INLINE Mask operator op(Vec a, Vec b)                                                        \
    {                                                                                                     \
        Mask r;                                                                                           \
        ORV_LANEWISE(r, (NativeBits)(a.part[p] op b.part[p]))                                             \
        return r;                                                                                         \
    }
#endif
ORV_COMPARE(Less, <, _CMP_LT_OQ)
ORV_COMPARE(LessEqual, <=, _CMP_LE_OQ)
ORV_COMPARE(Greater, >, _CMP_GT_OQ)
ORV_COMPARE(GreaterEqual, >=, _CMP_GE_OQ)
ORV_COMPARE(Equal, ==, _CMP_EQ_OQ)
ORV_COMPARE(NotEqual, !=, _CMP_NEQ_UQ)
#undef ORV_COMPARE

// where & (v >= bound), where & (v <= bound).
ORV_LANE_INLINE Mask AtLeast(Mask where, Vec v, Vec bound)
{
    Mask r;
#if defined(__AVX512F__)
    ORV_LANEWISE(r, _mm512_mask_cmp_pd_mask(where.part[p], (__m512d)v.part[p], (__m512d)bound.part[p], _CMP_GE_OQ))
#else
    ORV_LANEWISE(r, where.part[p] & (NativeBits)(v.part[p] >= bound.part[p]))
#endif
    return r;
}

ORV_LANE_INLINE Mask AtMost(Mask where, Vec v, Vec bound)
{
    Mask r;
#if defined(__AVX512F__)
    ORV_LANEWISE(r, _mm512_mask_cmp_pd_mask(where.part[p], (__m512d)v.part[p], (__m512d)bound.part[p], _CMP_LE_OQ))
#else
    ORV_LANEWISE(r, where.part[p] & (NativeBits)(v.part[p] <= bound.part[p]))
#endif
    return r;
}

ORV_LANE_INLINE Mask operator&(Mask a, Mask b) { Mask r; ORV_LANEWISE(r, (NativeMask)(a.part[p] & b.part[p])) return r; }
ORV_LANE_INLINE Mask operator|(Mask a, Mask b) { Mask r; ORV_LANEWISE(r, (NativeMask)(a.part[p] | b.part[p])) return r; }
ORV_LANE_INLINE Mask operator~(Mask a) { Mask r; ORV_LANEWISE(r, (NativeMask)(~a.part[p])) return r; }

// mask ? a : b, lane by lane.
ORV_LANE_INLINE Vec Select(Mask mask, Vec a, Vec b)
{
    Vec r;
#if defined(__AVX512F__)
    ORV_LANEWISE(r, (Native)_mm512_mask_blend_pd(mask.part[p], (__m512d)b.part[p], (__m512d)a.part[p]))
#else
    ORV_LANEWISE(r, (Native)(((NativeBits)a.part[p] & mask.part[p]) | ((NativeBits)b.part[p] & ~mask.part[p])))
#endif
    return r;
}

// mask ? x : +0, lane by lane.
ORV_LANE_INLINE Vec Keep(Mask mask, Vec x)
{
    Vec r;
#if defined(__AVX512F__)
    ORV_LANEWISE(r, (Native)_mm512_maskz_mov_pd(mask.part[p], (__m512d)x.part[p]))
#else
    ORV_LANEWISE(r, (Native)((NativeBits)x.part[p] & mask.part[p]))
#endif
    return r;
}

// a > b ? a : b, and b when either is NaN (the rule of MAXPD).
ORV_LANE_INLINE Vec MaxOrSecond(Vec a, Vec b)
{
    Vec r;
#if defined(__AVX512F__)
    ORV_LANEWISE(r, (Native)_mm512_max_pd((__m512d)a.part[p], (__m512d)b.part[p]))
#elif defined(__AVX__)
    ORV_LANEWISE(r, (Native)_mm256_max_pd((__m256d)a.part[p], (__m256d)b.part[p]))
#elif defined(__SSE2__)
    ORV_LANEWISE(r, (Native)_mm_max_pd((__m128d)a.part[p], (__m128d)b.part[p]))
#else
    r = Select(a > b, a, b);
#endif
    return r;
}

// a < b ? a : b, and b when either is NaN (the rule of MINPD).
ORV_LANE_INLINE Vec MinOrSecond(Vec a, Vec b)
{
    Vec r;
#if defined(__AVX512F__)
    ORV_LANEWISE(r, (Native)_mm512_min_pd((__m512d)a.part[p], (__m512d)b.part[p]))
#elif defined(__AVX__)
    ORV_LANEWISE(r, (Native)_mm256_min_pd((__m256d)a.part[p], (__m256d)b.part[p]))
#elif defined(__SSE2__)
    ORV_LANEWISE(r, (Native)_mm_min_pd((__m128d)a.part[p], (__m128d)b.part[p]))
#else
    r = Select(a < b, a, b);
#endif
    return r;
}

#undef ORV_LANEWISE

ORV_LANE_INLINE Mask MaskOf(const bool (&lanes)[kWidth])
{
    Mask r;
    for (int p = 0; p < kParts; ++p) {
#if defined(__AVX512F__)
        unsigned bits = 0;
        for (int k = 0; k < kNativeWidth; ++k)
            bits |= lanes[p * kNativeWidth + k] ? 1u << k : 0u;
        r.part[p] = static_cast<NativeMask>(bits);
#else
        for (int k = 0; k < kNativeWidth; ++k)
            r.part[p][k] = lanes[p * kNativeWidth + k] ? -1 : 0;
#endif
    }
    return r;
}

ORV_LANE_INLINE bool Any(Mask mask)
{
    NativeMask either = mask.part[0];
#pragma GCC unroll 8
    for (int p = 1; p < kParts; ++p)
        either |= mask.part[p];
#if defined(__AVX512F__)
    return either != 0;
#elif defined(__AVX__)
    return _mm256_testz_si256((__m256i)either, (__m256i)either) == 0;
#elif defined(__SSE2__)
    return _mm_movemask_epi8((__m128i)either) != 0;
#else
    long long any = 0;
    for (int k = 0; k < kNativeWidth; ++k)
        any |= either[k];
    return any != 0;
#endif
}

ORV_LANE_INLINE bool All(Mask mask)
{
    return !Any(~mask);
}

ORV_LANE_INLINE Vec Load(const double* from)
{
    Vec v;
#pragma GCC unroll 8
    for (int p = 0; p < kParts; ++p)
        v.part[p] = *reinterpret_cast<const NativeUnaligned*>(from + p * kNativeWidth);
    return v;
}

ORV_LANE_INLINE void Store(double* to, Vec v)
{
#pragma GCC unroll 8
    for (int p = 0; p < kParts; ++p)
        *reinterpret_cast<NativeUnaligned*>(to + p * kNativeWidth) = v.part[p];
}

// Lanes first .. first + kWidth - 1 of a lane record.
ORV_LANE_INLINE Vec Load(const LaneDoubles& lanes, int first) { return Load(lanes.at + first); }
ORV_LANE_INLINE void Store(LaneDoubles& lanes, int first, Vec v) { Store(lanes.at + first, v); }

ORV_LANE_INLINE Words LoadWords(const LaneWords& lanes, int first)
{
    Words w;
    __builtin_memcpy(&w, lanes.at + first, sizeof w);
    return w;
}

ORV_LANE_INLINE void StoreWords(LaneWords& lanes, int first, Words w)
{
    __builtin_memcpy(lanes.at + first, &w, sizeof w);
}

ORV_LANE_INLINE Vec Splat(double x)
{
    double lanes[kWidth];
    for (int k = 0; k < kWidth; ++k)
        lanes[k] = x;
    return Load(lanes);
}

// base[index[k]] in every lane k.
ORV_LANE_INLINE Vec Gather(const double* base, Words index)
{
    Vec v;
#if defined(__AVX512F__)
    v.part[0] = (Native)_mm512_i32gather_pd((__m256i)index, base, 8);
#elif defined(__AVX2__)
    // The masked form with every lane enabled: the plain one starts from an
    // undefined register, which GCC 12 warns about.
    __m128i indices[kParts];
    __builtin_memcpy(indices, &index, sizeof indices);
    const __m256d all = _mm256_castsi256_pd(_mm256_set1_epi64x(-1));
#pragma GCC unroll 8
    for (int p = 0; p < kParts; ++p)
        v.part[p] = (Native)_mm256_mask_i32gather_pd(_mm256_setzero_pd(), base, indices[p], all, 8);
#else
    double lanes[kWidth];
    for (int k = 0; k < kWidth; ++k)
        lanes[k] = base[index[k]];
    v = Load(lanes);
#endif
    return v;
}

// ---- WavetableOscillator ----

// The 27-bit phases run in the top bits of 32-bit words, so that the word's
// own wrap-around is the phase's modulo 2^27 and the top 11 bits are the
// table index (phase >> 16): no masking per sample.
constexpr int kPhaseShift = 32 - 27;

struct Oscillator {
    Mask sounding;
    Vec amplitude, octaveAmplitude;
    Words table, position, octavePosition, advance, octaveAdvance;
};

ORV_LANE_INLINE Oscillator LoadOscillator(const OscillatorLanes& lanes, int first)
{
    Oscillator o;
    o.sounding = Load(lanes.level, first) != Splat(0.0);
    o.amplitude = Load(lanes.amplitude, first);
    o.octaveAmplitude = Load(lanes.octaveAmplitude, first);
    o.table = LoadWords(lanes.table, first);
    o.position = LoadWords(lanes.phase, first) << kPhaseShift;
    o.octavePosition = LoadWords(lanes.octavePhase, first) << kPhaseShift;
    o.advance = LoadWords(lanes.advance, first) << kPhaseShift;
    o.octaveAdvance = LoadWords(lanes.octaveAdvance, first) << kPhaseShift;
    return o;
}

ORV_LANE_INLINE void StoreOscillator(OscillatorLanes& lanes, int first, const Oscillator& o)
{
    StoreWords(lanes.phase, first, o.position >> kPhaseShift);
    StoreWords(lanes.octavePhase, first, o.octavePosition >> kPhaseShift);
}

// What the model adds to the signal at this sample (-0, which adds nothing
// to any value, in silent lanes); then the phases move on.
template <bool octave>
ORV_LANE_INLINE Vec NextSample(Oscillator& o, const double* bank, Vec silent)
{
    constexpr int kIndexShift = 16 + kPhaseShift;
    const Vec fundamental = Gather(bank, o.table + (o.position >> kIndexShift));
    Vec value;
    if constexpr (octave) {
        const Vec upper = Gather(bank, o.table + (o.octavePosition >> kIndexShift));
        value = (upper * o.octaveAmplitude + fundamental) * o.amplitude;
        o.octavePosition += o.octaveAdvance;
    } else {
        value = fundamental * o.amplitude;
    }
    o.position += o.advance;
    return Select(o.sounding, value, silent);
}

// ---- LadderFilter and AllpassPhaser ----

// isnan(x) ? 0 : x + offset. Unguarded, just x + offset: the same wherever
// x is not NaN (see RenderLaneGroup).
template <bool guarded>
ORV_LANE_INLINE Vec GuardNaN(Vec x, Vec offset)
{
    if constexpr (guarded)
        return Keep(x == x, x + offset);
    else
        return x + offset;
}

// std::clamp(y, -1, 1) as libstdc++ spells it: min(max(y, -1), 1) with
// max(a, b) = a < b ? b : a and min(a, b) = b < a ? b : a, so a NaN passes.
ORV_LANE_INLINE Vec ClampUnit(Vec y)
{
    return MinOrSecond(Splat(1.0), MaxOrSecond(Splat(-1.0), y));
}

struct Filter {
    Vec g, g4, b, feedback, normalise, gain;
    Vec s1, s2, s3, s4, offset;
};

ORV_LANE_INLINE Filter LoadFilter(const FilterLanes& lanes, int first)
{
    return Filter{Load(lanes.g, first),         Load(lanes.g4, first),   Load(lanes.b, first),
                  Load(lanes.feedback, first),  Load(lanes.normalise, first), Load(lanes.gain, first),
                  Load(lanes.s1, first),        Load(lanes.s2, first),   Load(lanes.s3, first),
                  Load(lanes.s4, first),        Load(lanes.offset, first)};
}

ORV_LANE_INLINE void StoreFilter(FilterLanes& lanes, int first, const Filter& f)
{
    Store(lanes.g, first, f.g);
    Store(lanes.g4, first, f.g4);
    Store(lanes.b, first, f.b);
    Store(lanes.feedback, first, f.feedback);
    Store(lanes.normalise, first, f.normalise);
    Store(lanes.gain, first, f.gain);
    Store(lanes.s1, first, f.s1);
    Store(lanes.s2, first, f.s2);
    Store(lanes.s3, first, f.s3);
    Store(lanes.s4, first, f.s4);
    Store(lanes.offset, first, f.offset);
}

// LadderFilter::Process after its coefficient check.
template <bool guarded>
ORV_LANE_INLINE Vec ProcessLadder(Filter& f, Vec input)
{
    const Vec x = GuardNaN<guarded>(input, f.offset);
    const Vec s1 = GuardNaN<guarded>(f.s1, f.offset);
    const Vec s2 = GuardNaN<guarded>(f.s2, f.offset);
    const Vec s3 = GuardNaN<guarded>(f.s3, f.offset);
    const Vec s4 = GuardNaN<guarded>(f.s4, f.offset);
    f.offset = -f.offset;

    const Vec y = ((((s1 * f.g + s2) * f.g + s3) * f.g + s4) + x * f.g4) * f.normalise;
    const Vec u = (x - ClampUnit(y) * f.feedback) * f.g;
    const Vec a1 = s1 + u;
    f.s1 = u - f.b * a1;
    const Vec a2 = s2 + f.g * a1;
    f.s2 = f.g * a1 - f.b * a2;
    const Vec a3 = s3 + f.g * a2;
    f.s3 = f.g * a2 - f.b * a3;
    const Vec a4 = s4 + f.g * a3;
    f.s4 = f.g * a3 - f.b * a4;
    return y * f.gain;
}

// AllpassPhaser::Process after its coefficient check (A in g, A^4 in g4).
template <bool guarded>
ORV_LANE_INLINE Vec ProcessPhaser(Filter& f, Vec input)
{
    const Vec a = f.g;
    const Vec x = GuardNaN<guarded>(input, f.offset);
    const Vec s1 = GuardNaN<guarded>(f.s1, f.offset);
    const Vec s2 = GuardNaN<guarded>(f.s2, f.offset);
    const Vec s3 = GuardNaN<guarded>(f.s3, f.offset);
    const Vec s4 = GuardNaN<guarded>(f.s4, f.offset);
    f.offset = -f.offset;

    const Vec y = ((((s1 * a + s2) * a + s3) * a + s4) + x * f.g4) * f.normalise;
    const Vec u = x - ClampUnit(y) * f.feedback;
    const Vec a1 = a * u + s1;
    f.s1 = u - a * a1;
    const Vec a2 = a * a1 + s2;
    f.s2 = a1 - a * a2;
    const Vec a3 = a * a2 + s3;
    f.s3 = a2 - a * a3;
    const Vec a4out = a * a3 + s4;
    f.s4 = a3 - a * a4out;
    return y * f.gain;
}

// ---- Envelope ----

struct EnvelopeVec {
    Vec value, target, coefficient, previous;
    Vec before;     // the value before the last step
    bool stepped;   // a step was made since the stages were last read
    // The step ends a stage where value >= upper (attack: 1) or value <= lower
    // (decay, release: 0); other lanes have bounds no value passes, except
    // infinities, which SettleEnvelopeLanes then leaves alone.
    Vec upper, lower;
    Mask stepping;  // stage above idle
    bool allStepping;
    int32_t stage[kWidth];
    const Envelope* const* source;
};

ORV_LANE_INLINE void ReadStages(EnvelopeVec& e)
{
    double upper[kWidth], lower[kWidth];
    bool stepping[kWidth];
    for (int k = 0; k < kWidth; ++k) {
        stepping[k] = e.stage[k] > 0;
        upper[k] = e.stage[k] == 1 ? 1.0 : __builtin_inf();
        lower[k] = e.stage[k] > 1 ? 0.0 : -__builtin_inf();
    }
    e.upper = Load(upper);
    e.lower = Load(lower);
    e.stepping = MaskOf(stepping);
    e.allStepping = All(e.stepping);
    e.before = e.value;
    e.stepped = false;
}

ORV_LANE_INLINE EnvelopeVec LoadEnvelope(const EnvelopeLanes& lanes, int first)
{
    EnvelopeVec e;
    e.value = Load(lanes.value, first);
    e.target = Load(lanes.target, first);
    e.coefficient = Load(lanes.coefficient, first);
    e.previous = Load(lanes.previous, first);
    for (int k = 0; k < kWidth; ++k)
        e.stage[k] = lanes.stage[first + k];
    e.source = lanes.source + first;
    ReadStages(e);
    return e;
}

// previous = the value before the last step, in the lanes that stepped
// since the stages were last read.
ORV_LANE_INLINE void KeepPrevious(EnvelopeVec& e)
{
    if (e.stepped)
        e.previous = Select(e.stepping, e.before, e.previous);
}

ORV_LANE_INLINE void StoreEnvelope(EnvelopeLanes& lanes, int first, EnvelopeVec& e)
{
    KeepPrevious(e);
    Store(lanes.value, first, e.value);
    Store(lanes.target, first, e.target);
    Store(lanes.coefficient, first, e.coefficient);
    Store(lanes.previous, first, e.previous);
    for (int k = 0; k < kWidth; ++k)
        lanes.stage[first + k] = e.stage[k];
}

// Envelope::Step up to its stage check; returns the lanes that may have
// crossed the end of their stage and need Settle.
ORV_LANE_INLINE Mask StepEnvelope(EnvelopeVec& e)
{
    e.before = e.value;
    e.stepped = true;
    const Vec stepped = e.value + (e.target - e.value) * e.coefficient;
    e.value = e.allStepping ? stepped : Select(e.stepping, stepped, e.value);
    return (e.value >= e.upper) | (e.value <= e.lower);
}

// The end of Envelope::Step for the lanes that crossed the end of a stage.
ORV_LANE_INLINE void Settle(EnvelopeVec& e)
{
    KeepPrevious(e);
    double value[kWidth], target[kWidth], coefficient[kWidth];
    Store(value, e.value);
    Store(target, e.target);
    Store(coefficient, e.coefficient);
    SettleEnvelopeLanes(value, target, coefficient, e.stage, e.source, kWidth);
    e.value = Load(value);
    e.target = Load(target);
    e.coefficient = Load(coefficient);
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
template <bool guarded>
bool RunLaneGroup(VoiceLanes& lanes, int first, int frames)
{
    const double* const bank = lanes.bank;
    Oscillator glassOscillator = LoadOscillator(lanes.oscillators[kModelGlass], first);
    Oscillator stringOscillator = LoadOscillator(lanes.oscillators[kModelString], first);
    Oscillator woodOscillator = LoadOscillator(lanes.oscillators[kModelWood], first);
    Oscillator metalOscillator = LoadOscillator(lanes.oscillators[kModelMetal], first);
    Oscillator sineOscillator = LoadOscillator(lanes.oscillators[kModelSine], first);
    // A model silent in every lane adds -0 everywhere, which changes nothing.
    const bool glass = lanes.oscillators[kModelGlass].anySounding;
    const bool string = lanes.oscillators[kModelString].anySounding;
    const bool wood = lanes.oscillators[kModelWood].anySounding;
    const bool metal = lanes.oscillators[kModelMetal].anySounding;
    const bool sine = lanes.oscillators[kModelSine].anySounding;

    Filter phaser = LoadFilter(lanes.phaser, first);
    Filter woodFilter = LoadFilter(lanes.wood, first);
    Filter main = LoadFilter(lanes.main, first);
    EnvelopeVec envWoodFilter = LoadEnvelope(lanes.envWoodFilter, first);
    EnvelopeVec envFilter = LoadEnvelope(lanes.envFilter, first);
    EnvelopeVec envMaster = LoadEnvelope(lanes.envMaster, first);

    const Vec phaserMix = Load(lanes.phaserMix, first);
    const Vec woodGain = Load(lanes.woodGain, first);
    const Vec ring = Load(lanes.ring, first);
    const Mask woodOn = woodGain > Splat(0.0);
    const bool anyWood = Any(woodOn);
    const bool allWood = All(woodOn);
    const Vec filterEnvAmount = Load(lanes.filterEnvAmount, first);
    const Vec baseCutoff = Load(lanes.baseCutoff, first);
    const Vec newFeedback = Load(lanes.newFeedback, first);
    const Vec newGain = Load(lanes.newGain, first);
    const Vec velocityGain = Load(lanes.velocityGain, first);
    const bool noFeedback = All(newFeedback == Splat(0.0));
    Vec cachedCutoff = Load(lanes.cachedCutoff, first);
    Vec cutoff = Load(lanes.cutoff, first);

    const Vec zero = Splat(0.0);
    const Vec silent = Splat(-0.0);
    const Vec one = Splat(1.0);
    const Vec two = Splat(2.0);

    for (int i = 0; i < frames; ++i) {
        // The voice's buffer starts at 0; Glass goes in first, through the phaser.
        Vec x = zero;
        if (glass)
            x = zero + NextSample<false>(glassOscillator, bank, silent);
        x = x + (ProcessPhaser<guarded>(phaser, x) - x) * phaserMix;
        if (string)
            x = x + NextSample<true>(stringOscillator, bank, silent);
        if (wood)
            x = x + NextSample<false>(woodOscillator, bank, silent);
        if (metal)
            x = x + NextSample<false>(metalOscillator, bank, silent);
        if (sine)
            x = x + NextSample<true>(sineOscillator, bank, silent);

        if (i > 0) {
            const Mask woodEnds = StepEnvelope(envWoodFilter);
            const Mask filterEnds = StepEnvelope(envFilter);
            const Mask masterEnds = StepEnvelope(envMaster);
            if (Any(woodEnds | filterEnds | masterEnds)) [[unlikely]] {
                Settle(envWoodFilter);
                Settle(envFilter);
                Settle(envMaster);
            }
        }

        if (anyWood) {
            const Filter before = woodFilter;
            const Vec wet =
                x + ProcessLadder<guarded>(woodFilter, x) * woodGain * envWoodFilter.value * (one + (x - one) * ring);
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

        // LadderFilter::UpdateCoefficients in the lanes whose cutoff moved.
        cutoff = filterEnvAmount * envFilter.value + baseCutoff;
        const Mask moved = cutoff != cachedCutoff;
        if (Any(moved)) {
            const Vec sum = cutoff + two;
            const Vec b = (cutoff - two) / sum;
            const Vec g = cutoff / sum;
            const Vec g4 = g * g * g * g;
            // Without feedback (the usual main filter) and with a finite G^4,
            // 1 / (1 + 0 G^4) is exactly 1, and the wide kernels skip that
            // division (the branch costs the SSE2 one more than it saves).
            const Vec normalise = kWide && noFeedback && All(g4 - g4 == zero) ? one : one / (one + newFeedback * g4);
            if (All(moved)) {
                cachedCutoff = cutoff;
                main.feedback = newFeedback;
                main.gain = newGain;
                main.b = b;
                main.g = g;
                main.g4 = g4;
                main.normalise = normalise;
            } else {
                cachedCutoff = Select(moved, cutoff, cachedCutoff);
                main.feedback = Select(moved, newFeedback, main.feedback);
                main.gain = Select(moved, newGain, main.gain);
                main.b = Select(moved, b, main.b);
                main.g = Select(moved, g, main.g);
                main.g4 = Select(moved, g4, main.g4);
                main.normalise = Select(moved, normalise, main.normalise);
            }
        }
        const Vec y = ProcessLadder<guarded>(main, x);
        Store(lanes.out + static_cast<size_t>(i) * kLaneWidth + first, y * velocityGain * envMaster.value);
    }

    if constexpr (!guarded) {
        const Vec sums[] = {(phaser.s1 + phaser.s2) + (phaser.s3 + phaser.s4),
                            (woodFilter.s1 + woodFilter.s2) + (woodFilter.s3 + woodFilter.s4),
                            (main.s1 + main.s2) + (main.s3 + main.s4)};
        for (const Vec& sum : sums)
            if (Any(sum != sum))
                return false;
    }

    StoreOscillator(lanes.oscillators[kModelGlass], first, glassOscillator);
    StoreOscillator(lanes.oscillators[kModelString], first, stringOscillator);
    StoreOscillator(lanes.oscillators[kModelWood], first, woodOscillator);
    StoreOscillator(lanes.oscillators[kModelMetal], first, metalOscillator);
    StoreOscillator(lanes.oscillators[kModelSine], first, sineOscillator);
    StoreFilter(lanes.phaser, first, phaser);
    StoreFilter(lanes.wood, first, woodFilter);
    StoreFilter(lanes.main, first, main);
    StoreEnvelope(lanes.envWoodFilter, first, envWoodFilter);
    StoreEnvelope(lanes.envFilter, first, envFilter);
    StoreEnvelope(lanes.envMaster, first, envMaster);
    Store(lanes.cachedCutoff, first, cachedCutoff);
    Store(lanes.cutoff, first, cutoff);
    return true;
}

// Lanes 0 .. count - 1 (and whatever else shares their groups).
void RenderVoiceLanes(VoiceLanes& lanes, int count, int frames)
{
    for (int first = 0; first < count; first += kWidth)
        if (!RunLaneGroup<false>(lanes, first, frames)) [[unlikely]]
            RunLaneGroup<true>(lanes, first, frames);
}

}  // namespace

#undef ORV_LANE_INLINE
