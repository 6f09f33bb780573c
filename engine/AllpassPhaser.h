// Four first-order allpass stages in a zero-delay feedback loop. With cutoff
// w (radians per sample) and resonance r:
//   A = (w - 2) / (w + 2), K = r, N = 1 / (1 + A^4 K)
//   y = ((((s1 A + s2) A + s3) A + s4) + x A^4) N,  u = x - clamp(y, -1, 1) K
// Mixed with its input it gives the Glass model's sweeping notches.
#pragma once

#include <algorithm>
#include <cmath>

class AllpassPhaser {
public:
    double Process(double x)
    {
        RefreshCoefficients();
        x = std::isnan(x) ? 0.0 : x + denormalOffset;
        s1 = std::isnan(s1) ? 0.0 : s1 + denormalOffset;
        s2 = std::isnan(s2) ? 0.0 : s2 + denormalOffset;
        s3 = std::isnan(s3) ? 0.0 : s3 + denormalOffset;
        s4 = std::isnan(s4) ? 0.0 : s4 + denormalOffset;
        denormalOffset = -denormalOffset;

        const double y = ((((s1 * a + s2) * a + s3) * a + s4) + x * a4) * normalise;
        const double u = x - std::clamp(y, -1.0, 1.0) * feedback;
        const double a1 = a * u + s1;
        s1 = u - a * a1;
        const double a2 = a * a1 + s2;
        s2 = a1 - a * a2;
        const double a3 = a * a2 + s3;
        s3 = a2 - a * a3;
        const double a4out = a * a3 + s4;
        s4 = a3 - a * a4out;
        return y * gain;
    }

    void Invalidate() { cachedCutoff = -1.0; }
    // Coefficients for the current cutoff, made only when it moved.
    void RefreshCoefficients()
    {
        if (cutoff != cachedCutoff)
            UpdateCoefficients();
    }

    double cutoff = 0.0;  // radians per sample
    double resonance = 0.0;
    double a4 = 0.0;
    double a = 0.0;
    double feedback = 0.0;
    double normalise = 0.0;
    double gain = 0.0;
    double cachedCutoff = -1.0;
    double s1 = 0.0, s2 = 1.0, s3 = 0.0, s4 = -1.0;  // stage states
    double denormalOffset = 1e-13;

private:
    void UpdateCoefficients()
    {
        cachedCutoff = cutoff;
        feedback = resonance;
        gain = 1.0;
        a = (cutoff - 2.0) / (cutoff + 2.0);
        a4 = a * a * a * a;
        normalise = 1.0 / (1.0 + a4 * feedback);
    }
};
