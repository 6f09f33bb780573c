// Four-pole lowpass: four bilinear one-pole stages in a zero-delay feedback
// loop. With cutoff w (radians per sample) and resonance r:
//   G = w / (w + 2), B = (w - 2) / (w + 2), K = 4.1 r, N = 1 / (1 + K G^4),
//   C = 2 - (1 - r)^2 (make-up gain)
//   y = ((((s1 G + s2) G + s3) G + s4) + x G^4) N
//   u = (x - clamp(y, -1, 1) K) G, then each stage integrates the one before.
// The clamp bounds the feedback, so a resonance near 1 rings but never runs
// away. Written once for one voice (V = double) and for lanes of voices.
#pragma once

#include "engine/FilterState.h"

namespace orv::engine {

constexpr double LadderFeedback(double resonance)
{
    return 4.1 * resonance;
}
constexpr double LadderGain(double resonance)
{
    return 2.0 - (1.0 - resonance) * (1.0 - resonance);
}

template <class V>
struct LadderCoefficients {
    V b, g, g4, normalise;
};

// The coefficients for a cutoff. Without feedback and with a finite G^4,
// N = 1 / (1 + 0 G^4) is exactly 1; skipUnitNormalise lets a caller that
// knows the feedback is 0 save that division.
template <class V>
ORV_LANE_INLINE LadderCoefficients<V> LadderCoefficientsFor(V cutoff, V feedback, V one, V two,
                                                            bool skipUnitNormalise = false)
{
    const V sum = cutoff + two;
    LadderCoefficients<V> c;
    c.b = (cutoff - two) / sum;
    c.g = cutoff / sum;
    c.g4 = c.g * c.g * c.g * c.g;
    c.normalise = skipUnitNormalise && All(c.g4 - c.g4 == one - one) ? one : one / (one + feedback * c.g4);
    return c;
}

// One voice's filter with new coefficients for its cutoff.
inline void SetLadderCoefficients(FilterState<double>& f, double cutoff, double resonance)
{
    f.feedback = LadderFeedback(resonance);
    const LadderCoefficients<double> c = LadderCoefficientsFor(cutoff, f.feedback, 1.0, 2.0);
    f.gain = LadderGain(resonance);
    f.b = c.b;
    f.g = c.g;
    f.g4 = c.g4;
    f.normalise = c.normalise;
}

// One sample through the filter.
template <bool guarded, class V>
ORV_LANE_INLINE V LadderStep(FilterState<V>& f, V input, V one)
{
    const GuardedStates<V> s = TakeStates<guarded>(f, input);
    const V y = ((((s.s1 * f.g + s.s2) * f.g + s.s3) * f.g + s.s4) + s.x * f.g4) * f.normalise;
    const V u = (s.x - ClampUnit(y, one) * f.feedback) * f.g;
    const V a1 = s.s1 + u;
    f.s1 = u - f.b * a1;
    const V a2 = s.s2 + f.g * a1;
    f.s2 = f.g * a1 - f.b * a2;
    const V a3 = s.s3 + f.g * a2;
    f.s3 = f.g * a2 - f.b * a3;
    const V a4 = s.s4 + f.g * a3;
    f.s4 = f.g * a3 - f.b * a4;
    return y * f.gain;
}

}  // namespace orv::engine
