// Exponential envelope. Each step moves the value a fixed fraction of the way
// to its target:
//   value += (target - value) * coefficient,  coefficient = 10^(2.3 - 4.5 x) * rateScale
// for the setting x (0..1) of the current stage. Attack aims at 10/9 and ends
// at 1; release aims at -1/9 and ends at 0; so both take a finite time, about
// 10^(4.5 x - 2.3) seconds. Decay approaches the sustain level and never ends.
// rateScale is ln(10) / steps per second.
#pragma once

#include "engine/ControlTick.h"
#include "engine/simd/ForceInline.h"

#include <cstdint>

namespace orv::engine {

// One step of the value towards its target, for one envelope (V = double) or
// for lanes of them.
template <class V>
ORV_LANE_INLINE V EnvelopeStep(V value, V target, V coefficient)
{
    return value + (target - value) * coefficient;
}

class Envelope {
public:
    enum Stage : int32_t { kIdle = 0, kAttack = 1, kDecay = 2, kRelease = 3 };

    static constexpr double kLn10 = 2.302585092994046;
    static constexpr double kPerTickRateScale = kLn10 / kControlTicksPerSecond;
    static constexpr double kAttackTarget = 10.0 / 9.0;
    static constexpr double kReleaseTarget = -1.0 / 9.0;

    void Step()
    {
        if (stage <= kIdle)
            return;
        previous = value;
        value = EnvelopeStep(value, target, coefficient);
        FinishStage(value, target, coefficient, stage);
    }

    // After a step: ends the stage the step crossed the end of (attack ->
    // decay at 1, decay or release -> idle at 0) with this envelope's
    // settings. Takes the state apart, as lanes keep it apart.
    // Out of line: the lane kernels, built for other instruction sets, call
    // it too and must share this file's copy.
    void FinishStage(double& stepValue, double& stepTarget, double& stepCoefficient, int32_t& stepStage) const;

    void SetAttack(double x);
    void SetDecay(double x);
    void SetRelease(double x);
    void SetSustain(double level);

    // Attack from wherever the value stands.
    void EnterAttack();
    // Jump to 1 and fall towards the sustain level.
    void StartDecayFromTop();
    void EnterRelease();
    // Idle at 0 (settings kept).
    void Silence();

    double Coefficient(double x) const;

    double value = 0.0;
    // The stages' settings, 0..1 (sustain is a level).
    double attack = 0.0;
    double decay = 0.0;
    double sustain = 0.0;
    double release = 0.0;
    int32_t stage = kIdle;
    double rateScale = kPerTickRateScale;  // ln(10) / steps per second
    double target = 0.0;                   // where the current stage aims
    double previous = 0.0;                 // the value before the last step
    double coefficient = 0.0;              // the current stage's fraction per step

private:
    // Stores a stage's setting; a running stage takes its new rate at once.
    void SetStageSetting(double& setting, Stage owner, double x);
};

}  // namespace orv::engine
