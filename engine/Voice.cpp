#include "Voice.h"

#include "Tuning.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;

// Attack, decay and sustain of one envelope for an "Envelope" setting v:
// Soft -> Break below the break point b, Break -> Perc above it. Above b the
// blend runs with v / b - 1, so it passes Perc when b < 0.5.
struct BlendedEnvelope {
    double attack, decay, sustain;
    bool soft;
};

BlendedEnvelope Blend(const EnvelopeBlend& blend, double breakPoint, double v)
{
    BlendedEnvelope result;
    if (v < breakPoint) {
        const double r = v / breakPoint;
        result.attack = blend.attackSoft + (blend.attackBreak - blend.attackSoft) * r;
        result.decay = blend.decaySoft + (blend.decayBreak - blend.decaySoft) * r;
        result.sustain = blend.sustainSoft + (blend.sustainBreak - blend.sustainSoft) * r;
        result.soft = true;
    } else {
        const double r = v / breakPoint - 1.0;
        result.attack = blend.attackBreak + (blend.attackPerc - blend.attackBreak) * r;
        result.decay = blend.decayBreak + (blend.decayPerc - blend.decayBreak) * r;
        result.sustain = blend.sustainBreak + (blend.sustainPerc - blend.sustainBreak) * r;
        result.soft = false;
    }
    return result;
}

}  // namespace

Voice::Voice()
{
    for (Envelope* envelope : {&envWoodFilter, &envFilter, &envMaster, &envMorph})
        envelope->rateScale = Envelope::kPerTickRateScale;
}

void Voice::Prepare(double rate, const SynthGlobals& globals, const PhaseIncrementTable& increments,
                    const double* bend)
{
    settings = &globals;
    pitchBend = bend;
    sampleRate = rate;
    radiansPerSample = kTwoPi / rate;
    active = false;
    keyHeld = false;
    sustained = false;
    pitch = 6144.0;
    note = 48;
    velocity = 0;
    serial = 0;

    tickLength = static_cast<int32_t>(rate) / 1000;

    for (int i = 0; i < kModelCount; ++i)
        oscillators[i].Prepare(i, globals, increments, bend);

    phaserCenterFactor = globals.phaserCenter * radiansPerSample;
    phaserLfoDepth = globals.phaserDepth;
    phaser.resonance = globals.phaserResonance;
    phaser.Invalidate();

    woodCutoffFactor = globals.woodFilterCutoff * radiansPerSample;
    woodFilter.resonance = globals.woodFilterResonance;
    woodFilter.Invalidate();

    mainCutoffFactor = globals.filterCutoff * radiansPerSample;
    filterEnvAmount = globals.filterEnvAmount;
    mainFilter.resonance = globals.filterResonance;
    mainFilter.Invalidate();

    const double audioRateScale = Envelope::kLn10 / rate;
    for (Envelope* envelope : {&envWoodFilter, &envFilter, &envMaster, &envMorph}) {
        envelope->Silence();
        envelope->rateScale = audioRateScale;
    }
    envMorph.rateScale = Envelope::kPerTickRateScale;

    phaserLfo.increment = globals.phaserRate * 2.0 / 1000.0;
    tremoloLfo.increment = globals.tremoloRate * 2.0 / 1000.0;
}

void Voice::Start(int32_t newNote, double newPitch, int32_t newVelocity, int32_t newSerial)
{
    serial = newSerial;
    pitch = newPitch;
    note = newNote;
    velocity = newVelocity;
    active = true;
    keyHeld = true;
    velocityGain = 1.0 + (velocity / 127.0 - 1.0) * settings->velocity;
    envWoodFilter.EnterAttack();
    envFilter.EnterAttack();
    envMaster.EnterAttack();
    envMorph.StartDecayFromTop();
    UpdateModelLevels();
}

void Voice::Release()
{
    keyHeld = false;
    if (sustained)
        return;
    envWoodFilter.EnterRelease();
    envFilter.EnterRelease();
    envMaster.EnterRelease();
    envMorph.EnterRelease();
}

void Voice::UpdateControl(double vibrato, double morph)
{
    envWoodFilter.Step();
    envFilter.Step();
    envMaster.Step();
    envMorph.Step();
    phaserLfo.Step();
    tremoloLfo.Step();

    const double p = vibrato + pitch;
    morphInput = morph;
    for (int i = 0; i < kModelCount; ++i)
        oscillators[i].UpdatePitch(p, i == kModelMetal ? tremoloDepth * tremoloLfo.output : 0.0);

    const double f = PitchToFrequency(static_cast<int32_t>(std::floor(pitch)));
    woodFilter.cutoff = f * woodCutoffFactor;
    phaser.cutoff = (1.0 + phaserLfoDepth * phaserLfo.output) * f * phaserCenterFactor;
    baseCutoff = f * mainCutoffFactor;

    UpdateModelLevels();
    active = envMaster.stage != Envelope::kIdle;
}

void Voice::SetVivid(double value)
{
    oscillators[kModelString].SetVivid(value);
    oscillators[kModelSine].SetVivid(value);
    phaserMix = value * settings->phaserDepth;
    vivid = value;
    tremoloDepth = value * settings->tremoloDepth;
}

void Voice::SetRelease(double value)
{
    release = value;
    UpdateReleaseTimes();
}

void Voice::SetEnvelopeShape(double v)
{
    const SynthGlobals& g = *settings;

    const BlendedEnvelope wood = Blend(g.woodFilterEnvelope, g.woodFilterBreak, v);
    envWoodFilter.SetAttack(wood.attack);
    envWoodFilter.SetDecay(wood.decay);
    envWoodFilter.SetSustain(wood.sustain);
    envWoodFilter.SetRelease(wood.decay);

    const BlendedEnvelope filter = Blend(g.filterEnvelope, g.filterBreak, v);
    envFilter.SetAttack(filter.attack);
    envFilter.SetDecay(filter.decay);
    envFilter.SetSustain(filter.sustain);
    filterReleaseFactor = filter.soft ? 1.0 : filter.decay;

    const BlendedEnvelope master = Blend(g.masterEnvelope, g.masterBreak, v);
    envMaster.SetAttack(master.attack);
    envMaster.SetDecay(master.decay);
    envMaster.SetSustain(master.soft ? master.sustain : 0.0);
    masterReleaseFactor = master.soft ? 1.0 : master.decay;

    UpdateReleaseTimes();
}

void Voice::UpdateReleaseTimes()
{
    envFilter.SetRelease(filterReleaseFactor * 1.5 * release);
    envMaster.SetRelease(masterReleaseFactor * release);
}

void Voice::SetMorphRate(double rate)
{
    envMorph.SetDecay(1.0 - rate);
    envMorph.SetRelease(1.0 - rate);
}

void Voice::UpdateModelLevels()
{
    double x = variationX;
    double y = variationY;
    if (morphMode >= 1 && morphMode <= 3) {
        const double m = morphMode == 2 ? envMorph.value : morphInput;
        x = variationX + (variationX2 - variationX) * m;
        y = variationY + (variationY2 - variationY) * m;
    }
    const SynthGlobals& g = *settings;
    oscillators[kModelSine].level = std::sqrt(1.0 - std::max(std::fabs(x), std::fabs(y))) * g.modelVolume[kModelSine];
    if (x > 0.0) {
        oscillators[kModelWood].level = 0.0;
        oscillators[kModelMetal].level = x * x * g.modelVolume[kModelMetal];
        woodAmount = 0.0;
    } else {
        oscillators[kModelMetal].level = 0.0;
        oscillators[kModelWood].level = x * x * g.modelVolume[kModelWood];
        woodAmount = x * x;
    }
    if (y > 0.0) {
        oscillators[kModelString].level = 0.0;
        oscillators[kModelGlass].level = y * y * g.modelVolume[kModelGlass];
    } else {
        oscillators[kModelGlass].level = 0.0;
        oscillators[kModelString].level = y * y * g.modelVolume[kModelString];
    }
}
