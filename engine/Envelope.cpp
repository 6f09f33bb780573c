#include "engine/Envelope.h"

#include <cmath>

namespace orv::engine {

double Envelope::Coefficient(double x) const
{
    return std::pow(10.0, 2.3 - 4.5 * x) * rateScale;
}

void Envelope::FinishStage(double& stepValue, double& stepTarget, double& stepCoefficient, int32_t& stepStage) const
{
    if (stepStage == kAttack) {
        if (stepValue >= 1.0) {
            stepValue = 1.0;
            stepStage = kDecay;
            stepCoefficient = Coefficient(decay);
            stepTarget = sustain;
        }
    } else if (stepStage > kIdle && stepValue <= 0.0) {
        stepValue = 0.0;
        stepStage = kIdle;
    }
}

void Envelope::SetStageSetting(double& setting, Stage owner, double x)
{
    setting = x;
    if (stage == owner)
        coefficient = Coefficient(setting);
}

void Envelope::SetAttack(double x)
{
    SetStageSetting(attack, kAttack, x);
}
void Envelope::SetDecay(double x)
{
    SetStageSetting(decay, kDecay, x);
}
void Envelope::SetRelease(double x)
{
    SetStageSetting(release, kRelease, x);
}

void Envelope::SetSustain(double level)
{
    sustain = level;
    if (stage == kDecay)
        target = sustain;
}

void Envelope::EnterAttack()
{
    stage = kAttack;
    target = kAttackTarget;
    coefficient = Coefficient(attack);
}

void Envelope::StartDecayFromTop()
{
    value = 1.0;
    stage = kDecay;
    target = sustain;
    coefficient = Coefficient(decay);
}

void Envelope::EnterRelease()
{
    stage = kRelease;
    target = kReleaseTarget;
    coefficient = Coefficient(release);
}

void Envelope::Silence()
{
    stage = kIdle;
    value = 0.0;
}

}  // namespace orv::engine
