// Frozen copy of the engine's building blocks as they were when the engine
// still rendered one voice at a time: the envelope, the ladder filter, the
// allpass phaser, the LFOs and the "Air" chorus. The equivalence test renders
// through these and through the engine and requires identical bits, so do
// not "improve" anything here: this is the definition the engine must match.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace reference {

class Envelope {
public:
    enum Stage : int32_t { kIdle = 0, kAttack = 1, kDecay = 2, kRelease = 3 };

    static constexpr double kLn10 = 2.302585092994046;
    static constexpr double kPerTickRateScale = kLn10 / 1000.0;
    static constexpr double kAttackTarget = 10.0 / 9.0;
    static constexpr double kReleaseTarget = -1.0 / 9.0;

    void Step()
    {
        if (stage <= kIdle)
            return;
        previous = value;
        value += (target - value) * coefficient;
        if (stage == kAttack) {
            if (value >= 1.0) {
                value = 1.0;
                stage = kDecay;
                coefficient = Coefficient(decay);
                target = sustain;
            }
        } else if (value <= 0.0) {
            value = 0.0;
            stage = kIdle;
        }
    }

    void SetAttack(double x)
    {
        attack = x;
        if (stage == kAttack)
            coefficient = Coefficient(attack);
    }
    void SetDecay(double x)
    {
        decay = x;
        if (stage == kDecay)
            coefficient = Coefficient(decay);
    }
    void SetRelease(double x)
    {
        release = x;
        if (stage == kRelease)
            coefficient = Coefficient(release);
    }
    void SetSustain(double level)
    {
        sustain = level;
        if (stage == kDecay)
            target = sustain;
    }
    void EnterAttack()
    {
        stage = kAttack;
        target = kAttackTarget;
        coefficient = Coefficient(attack);
    }
    void StartDecayFromTop()
    {
        value = 1.0;
        stage = kDecay;
        target = sustain;
        coefficient = Coefficient(decay);
    }
    void EnterRelease()
    {
        stage = kRelease;
        target = kReleaseTarget;
        coefficient = Coefficient(release);
    }
    void Silence()
    {
        stage = kIdle;
        value = 0.0;
    }
    // Out of line, like the engine's, so that no call is folded at compile time.
    double Coefficient(double x) const;

    double value = 0.0;
    double attack = 0.0;
    double decay = 0.0;
    double sustain = 0.0;
    double release = 0.0;
    int32_t stage = kIdle;
    double rateScale = kPerTickRateScale;
    double target = 0.0;
    double previous = 0.0;
    double coefficient = 0.0;
};

class LadderFilter {
public:
    double Process(double x)
    {
        if (cutoff != cachedCutoff)
            UpdateCoefficients();
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

    void Invalidate() { cachedCutoff = -1.0; }

    double cutoff = 0.0;
    double resonance = 0.0;
    double g4 = 0.0;
    double g = 0.0;
    double b = 0.0;
    double feedback = 0.0;
    double normalise = 0.0;
    double gain = 0.0;
    double cachedCutoff = -1.0;
    double s1 = 0.0, s2 = 1.0, s3 = 0.0, s4 = -1.0;
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

class AllpassPhaser {
public:
    double Process(double x)
    {
        if (cutoff != cachedCutoff)
            UpdateCoefficients();
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

    double cutoff = 0.0;
    double resonance = 0.0;
    double a4 = 0.0;
    double a = 0.0;
    double feedback = 0.0;
    double normalise = 0.0;
    double gain = 0.0;
    double cachedCutoff = -1.0;
    double s1 = 0.0, s2 = 1.0, s3 = 0.0, s4 = -1.0;
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

struct TriangleLfo {
    void Step()
    {
        output = 2.0 * std::fabs(phase) - 1.0;
        phase += increment;
        if (phase >= 1.0)
            phase -= 2.0;
    }

    double output = 0.0;
    double phase = -1.0;
    double increment = 0.0;
};

struct ThreePhaseLfo {
    void Step()
    {
        for (int k = 0; k < 3; ++k)
            output[k] = std::fabs(phase[k]);
        phase[0] += increment;
        phase[1] = phase[0] + 2.0 / 3.0;
        phase[2] = phase[0] + 4.0 / 3.0;
        for (double& p : phase)
            if (p >= 1.0)
                p -= 2.0;
    }

    double output[3] = {0.0, 0.0, 0.0};
    double phase[3] = {-1.0, -1.0 / 3.0, 1.0 / 3.0};
    double increment = 0.0;
};

class AirChorus {
public:
    void PrepareDelayLines(double rate)
    {
        if (rate != sampleRate) {
            sampleRate = rate;
            inverseSampleRate = 1.0 / rate;
            glidePerSample = 999.0 / rate;
            lineLength = static_cast<int32_t>(rate * 0.016 + 1.0);
            for (std::vector<double>& line : lines)
                line.assign(static_cast<size_t>(std::max(lineLength, 0)), 0.0);
        }
        for (std::vector<double>& line : lines)
            std::fill(line.begin(), line.end(), 0.0);
        writePosition = 0;
        for (int k = 0; k < 3; ++k) {
            delay[k] = 0.0;
            delayStep[k] = 0.0;
        }
    }

    void SetModulation(double slowRate, double fastRate, double depthSetting)
    {
        slow.increment = slowRate * 2.0 * 100.0 / 1000.0;
        fast.increment = fastRate * 2.0 * 100.0 / 1000.0;
        depth = depthSetting * 0.5;
    }

    void ControlStep()
    {
        slow.Step();
        fast.Step();
        for (int k = 0; k < 3; ++k) {
            const double modulation = std::clamp((slow.output[k] + fast.output[k]) * depth, 0.0, 1.0);
            const double target = (modulation * 0.016 + 0.001) * sampleRate;
            delayStep[k] = (target - delay[k]) * glidePerSample;
        }
    }

    void Process(const double* mixLeft, const double* mixRight, double* outLeft, double* outRight, int frames)
    {
        if (lines[0].empty())
            return;
        double* line0 = lines[0].data();
        double* line1 = lines[1].data();
        double* line2 = lines[2].data();
        double* const line[3] = {line0, line1, line2};
        for (int i = 0; i < frames; ++i) {
            const double a = mixLeft[i];
            const double b = mixRight[i];
            const double x = (a + b) * 0.33;
            line0[writePosition] = x;
            line1[writePosition] = x;
            line2[writePosition] = x;

            double tap[3];
            for (int k = 0; k < 3; ++k) {
                const double d = delay[k];
                int32_t j = writePosition - static_cast<int32_t>(d);
                int32_t j1 = j + 1;
                if (j < 0)
                    j += lineLength;
                if (j1 < 0)
                    j1 += lineLength;
                if (j1 >= lineLength)
                    j1 -= lineLength;
                tap[k] = line[k][j1] + (d - std::floor(d)) * (line[k][j] - line[k][j1]);
            }
            const double wetLeft = (2.0 * tap[0] + tap[2]) * 0.5;
            const double wetRight = (2.0 * tap[1] + tap[2]) * 0.5;
            outLeft[i] = a + (wetLeft - a) * mix;
            outRight[i] = b + (wetRight - b) * mix;

            if (++writePosition >= lineLength)
                writePosition = 0;
            for (int k = 0; k < 3; ++k)
                delay[k] += delayStep[k];
        }
    }

    ThreePhaseLfo slow;
    ThreePhaseLfo fast;
    double sampleRate = 0.0;
    double inverseSampleRate = 0.0;
    double glidePerSample = 0.0;
    std::vector<double> lines[3];
    int32_t lineLength = 0;
    int32_t writePosition = 0;
    double delay[3] = {0.0, 0.0, 0.0};
    double delayStep[3] = {0.0, 0.0, 0.0};
    double mix = 0.0;
    double depth = 0.0;
};

}  // namespace reference
