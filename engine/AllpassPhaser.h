// Four first-order allpass stages in a zero-delay feedback loop. With cutoff
// w (radians per sample) and resonance r:
//   A = (w - 2) / (w + 2), K = r, N = 1 / (1 + A^4 K)
//   y = ((((s1 A + s2) A + s3) A + s4) + x A^4) N,  u = x - clamp(y, -1, 1) K
// Mixed with its input it gives the Glass model's sweeping notches. A is
// kept in FilterState::g, A^4 in g4. Written once for one voice (V = double)
// and for lanes of voices.
#pragma once

#include "engine/FilterState.h"

namespace orv::engine {

// One voice's phaser with new coefficients for its cutoff.
inline void SetPhaserCoefficients(FilterState<double>& f, double cutoff, double resonance)
{
    f.feedback = resonance;
    f.gain = 1.0;
    f.b = 0.0;
    f.g = (cutoff - 2.0) / (cutoff + 2.0);
    f.g4 = f.g * f.g * f.g * f.g;
    f.normalise = 1.0 / (1.0 + f.g4 * f.feedback);
}

// One sample through the phaser.
template <bool guarded, class V>
ORV_LANE_INLINE V PhaserStep(FilterState<V>& f, V input, V one)
{
    const V a = f.g;
    const GuardedStates<V> s = TakeStates<guarded>(f, input);
    const V y = ((((s.s1 * a + s.s2) * a + s.s3) * a + s.s4) + s.x * f.g4) * f.normalise;
    const V u = s.x - ClampUnit(y, one) * f.feedback;
    const V a1 = a * u + s.s1;
    f.s1 = u - a * a1;
    const V a2 = a * a1 + s.s2;
    f.s2 = a1 - a * a2;
    const V a3 = a * a2 + s.s3;
    f.s3 = a2 - a * a3;
    const V a4out = a * a3 + s.s4;
    f.s4 = a3 - a * a4out;
    return y * f.gain;
}

}  // namespace orv::engine
