// What the two four-stage filters of a voice (LadderFilter.h,
// AllpassPhaser.h) keep from sample to sample: their coefficients and their
// stage states, for one voice (V = double) or for several side by side.
#pragma once

#include "engine/simd/ScalarLane.h"

#include <array>

namespace orv::engine {

template <class V>
struct FilterState {
    V g, g4;           // ladder: G and G^4; phaser: A and A^4
    V b;               // ladder only: B
    V feedback;        // K
    V normalise;       // N
    V gain;            // make-up gain
    V s1, s2, s3, s4;  // stage states
    V offset;          // tiny, alternating in sign: keeps the states off denormals
};

// The fields in order, for moving a state into lanes and back.
template <class V>
constexpr auto FieldsOf(const FilterState<V>*)
{
    using S = FilterState<V>;
    return std::array{&S::g,  &S::g4, &S::b,  &S::feedback, &S::normalise, &S::gain,
                      &S::s1, &S::s2, &S::s3, &S::s4,       &S::offset};
}

// A filter before its first sample; coefficients come with the first cutoff.
inline constexpr FilterState<double> kFreshFilter = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0, -1.0, 1e-13};

// What a filter's cutoff and resonance are, and the cutoff its coefficients
// were last made for (-1: none yet). Moves at control ticks.
struct FilterSetting {
    double cutoff = 0.0;  // radians per sample
    double resonance = 0.0;
    double madeFor = -1.0;

    // True once, after the cutoff moved (a NaN cutoff always counts as moved).
    bool Moved()
    {
        if (cutoff == madeFor)
            return false;
        madeFor = cutoff;
        return true;
    }
    // Coefficients are made anew at the next check.
    void Invalidate() { madeFor = -1.0; }
};

// isnan(x) ? 0 : x + offset. Unguarded, just x + offset: the same wherever x
// is not NaN (the lane kernel runs unguarded first, see VoiceLaneKernel.h).
template <bool guarded, class V>
ORV_LANE_INLINE V GuardNaN(V x, V offset)
{
    if constexpr (guarded)
        return Keep(x == x, x + offset);
    else
        return x + offset;
}

// std::clamp(y, -1, 1) as libstdc++ spells it: min(max(y, -1), 1) with
// max(a, b) = a < b ? b : a and min(a, b) = b < a ? b : a, so a NaN passes.
template <class V>
ORV_LANE_INLINE V ClampUnit(V y, V one)
{
    return MinOrSecond(one, MaxOrSecond(-one, y));
}

// The states as the step reads them (guarded against NaN, offset added);
// the offset changes sign for the next sample.
template <class V>
struct GuardedStates {
    V x, s1, s2, s3, s4;
};

template <bool guarded, class V>
ORV_LANE_INLINE GuardedStates<V> TakeStates(FilterState<V>& f, V input)
{
    const GuardedStates<V> s = {GuardNaN<guarded>(input, f.offset), GuardNaN<guarded>(f.s1, f.offset),
                                GuardNaN<guarded>(f.s2, f.offset), GuardNaN<guarded>(f.s3, f.offset),
                                GuardNaN<guarded>(f.s4, f.offset)};
    f.offset = -f.offset;
    return s;
}

}  // namespace orv::engine
