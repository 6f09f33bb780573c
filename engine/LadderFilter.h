// Four-pole lowpass: four bilinear one-pole stages in a zero-delay feedback
// loop. With cutoff w (radians per sample) and resonance r:
//   G = w / (w + 2), B = (w - 2) / (w + 2), K = 4.1 r, N = 1 / (1 + K G^4),
//   C = 2 - (1 - r)^2 (make-up gain)
//   y = ((((s1 G + s2) G + s3) G + s4) + x G^4) N
//   u = (x - clamp(y, -1, 1) K) G, then each stage integrates the one before.
// The clamp bounds the feedback, so a resonance near 1 rings but never runs
// away. A tiny offset of alternating sign keeps the states off denormals.
#pragma once

#include <algorithm>
#include <cmath>

class LadderFilter {
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

        const double y = ((((s1 * g + s2) * g + s3) * g + s4) + x * g4) * normalise;
        const double u = (x - std::clamp(y, -1.0, 1.0) * feedback) * g;
        const double a1 = s1 + u;
        s1 = u - b * a1;
        const double a2 = s2 + g * a1;
        s2 = g * a1 - b * a2;
        const double a3 = s3 + g * a2;
        s3 = g * a2 - b * a3;
        const double a4 = s4 + g * a3;
        s4 = g * a3 - b * a4;
        return y * gain;
    }

    // Coefficients follow the cutoff; a new resonance counts from the next
    // cutoff change.
    void Invalidate() { cachedCutoff = -1.0; }
    // Coefficients for the current cutoff, made only when it moved.
    void RefreshCoefficients()
    {
        if (cutoff != cachedCutoff)
            UpdateCoefficients();
    }

    double cutoff = 0.0;      // radians per sample
    double resonance = 0.0;
    double g4 = 0.0;
    double g = 0.0;
    double b = 0.0;
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
        feedback = 4.1 * resonance;
        gain = 2.0 - (1.0 - resonance) * (1.0 - resonance);
        b = (cutoff - 2.0) / (cutoff + 2.0);
        g = cutoff / (cutoff + 2.0);
        g4 = g * g * g * g;
        normalise = 1.0 / (1.0 + feedback * g4);
    }
};
