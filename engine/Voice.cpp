#include "engine/Voice.h"

#include "engine/AllpassPhaser.h"
#include "engine/LadderFilter.h"
#include "engine/Tuning.h"

#include <algorithm>
#include <cmath>

namespace orv::engine {

namespace {

constexpr double kTwoPi = 6.283185307179586;
// Where a voice stands before its first note (C3).
constexpr int32_t kStartNote = 48;
constexpr double kStartPitch = kStartNote * 128.0;

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

// A filter's stage states (and its offset's sign) from a lane.
void CopyStageStates(FilterState<double>& filter, const FilterState<double>& lane)
{
    filter.s1 = lane.s1;
    filter.s2 = lane.s2;
    filter.s3 = lane.s3;
    filter.s4 = lane.s4;
    filter.offset = lane.offset;
}

void PutEnvelopeInLane(const Envelope& envelope, EnvelopeLanes& lanes, int k)
{
    lanes.motion.Put(k, {envelope.value, envelope.target, envelope.coefficient, envelope.previous});
    lanes.stage[k] = envelope.stage;
    lanes.source[k] = &envelope;
}

void TakeEnvelopeFromLane(Envelope& envelope, const EnvelopeLanes& lanes, int k)
{
    const EnvelopeMotion<double> motion = lanes.motion.Get(k);
    envelope.value = motion.value;
    envelope.target = motion.target;
    envelope.coefficient = motion.coefficient;
    envelope.previous = motion.previous;
    envelope.stage = lanes.stage[k];
}

void PutOscillatorInLane(const WavetableOscillator& oscillator, OscillatorLanes& lanes, int k, const double* bank)
{
    lanes.level.at[k] = oscillator.level;
    if (oscillator.level == 0.0) {
        // Silent: the lane adds -0 and its phases stay; whatever table and
        // phases the lane still holds are valid to read.
        lanes.advance.at[k] = 0;
        lanes.octaveAdvance.at[k] = 0;
        return;
    }
    lanes.amplitude.at[k] = oscillator.amplitude;
    lanes.octaveAmplitude.at[k] = oscillator.octaveAmplitude;
    lanes.table.at[k] = static_cast<uint32_t>(oscillator.table - bank);
    lanes.phase.at[k] = static_cast<uint32_t>(oscillator.phase);
    lanes.octavePhase.at[k] = static_cast<uint32_t>(oscillator.octavePhase);
    lanes.advance.at[k] = static_cast<uint32_t>(oscillator.increment);
    lanes.octaveAdvance.at[k] = static_cast<uint32_t>(oscillator.octaveIncrement);
}

void TakeOscillatorFromLane(WavetableOscillator& oscillator, const OscillatorLanes& lanes, int k)
{
    if (oscillator.level != 0.0) {
        oscillator.phase = static_cast<int32_t>(lanes.phase.at[k]);
        oscillator.octavePhase = static_cast<int32_t>(lanes.octavePhase.at[k]);
    }
}

}  // namespace

void Voice::Bind(const SynthGlobals& globals, const double* bend)
{
    settings = &globals;
    pitchBend = bend;
}

void Voice::Prepare(double rate, const PhaseIncrementTable& increments)
{
    const SynthGlobals& globals = *settings;
    radiansPerSample = kTwoPi / rate;
    active = false;
    keyHeld = false;
    sustained = false;
    pitch = kStartPitch;
    note = kStartNote;
    velocity = 0;
    serial = 0;

    for (int i = 0; i < kModelCount; ++i)
        oscillators[i].Prepare(i, globals, increments, pitchBend);

    phaserCenterFactor = globals.phaserCenter * radiansPerSample;
    phaserLfoDepth = globals.phaserDepth;
    phaserSetting.resonance = globals.phaserResonance;
    phaserSetting.Invalidate();

    woodCutoffFactor = globals.woodFilterCutoff * radiansPerSample;
    woodSetting.resonance = globals.woodFilterResonance;
    woodSetting.Invalidate();

    mainCutoffFactor = globals.filterCutoff * radiansPerSample;
    filterEnvAmount = globals.filterEnvAmount;
    mainSetting.resonance = globals.filterResonance;
    mainSetting.Invalidate();
    RefreshTickCoefficients();

    // envMorph keeps stepping per tick.
    const double audioRateScale = Envelope::kLn10 / rate;
    for (Envelope* envelope : {&envWoodFilter, &envFilter, &envMaster}) {
        envelope->Silence();
        envelope->rateScale = audioRateScale;
    }
    envMorph.Silence();

    phaserLfo.increment = TriangleLfo::IncrementFor(globals.phaserRate);
    tremoloLfo.increment = TriangleLfo::IncrementFor(globals.tremoloRate);
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
    woodSetting.cutoff = f * woodCutoffFactor;
    phaserSetting.cutoff = (1.0 + phaserLfoDepth * phaserLfo.output) * f * phaserCenterFactor;
    baseCutoff = f * mainCutoffFactor;
    RefreshTickCoefficients();

    UpdateModelLevels();
    active = envMaster.stage != Envelope::kIdle;
}

void Voice::RefreshTickCoefficients()
{
    // The phaser's and the wood filter's cutoffs move only at ticks.
    if (phaserSetting.Moved())
        SetPhaserCoefficients(phaser, phaserSetting.cutoff, phaserSetting.resonance);
    if (woodSetting.Moved())
        SetLadderCoefficients(woodFilter, woodSetting.cutoff, woodSetting.resonance);
}

void Voice::SetPads(PadPosition first, PadPosition second)
{
    variation = first;
    secondVariation = second;
}

void Voice::SetMorphMode(int32_t mode)
{
    morphMode = mode;
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
    double x = variation.x;
    double y = variation.y;
    if (morphMode >= kMorphOnce && morphMode <= kMorphSwing) {
        const double m = morphMode == kMorphOneShot ? envMorph.value : morphInput;
        x = variation.x + (secondVariation.x - variation.x) * m;
        y = variation.y + (secondVariation.y - variation.y) * m;
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

void Voice::PutInLane(VoiceLanes& l, int k)
{
    for (int m = 0; m < kModelCount; ++m)
        PutOscillatorInLane(oscillators[m], l.oscillators[m], k, l.bank);

    l.phaser.Put(k, phaser);
    l.phaserMix.at[k] = phaserMix;

    l.wood.Put(k, woodFilter);
    l.woodGain.at[k] = settings->woodFilterVolume * woodAmount * vivid;
    l.ring.at[k] = (0.5 * tremoloLfo.output + 0.75 * phaserLfo.output) * vivid;

    l.main.Put(k, mainFilter);
    l.cutoff.at[k] = mainSetting.cutoff;
    l.madeFor.at[k] = mainSetting.madeFor;
    l.newFeedback.at[k] = LadderFeedback(mainSetting.resonance);
    l.newGain.at[k] = LadderGain(mainSetting.resonance);
    l.filterEnvAmount.at[k] = filterEnvAmount;
    l.baseCutoff.at[k] = baseCutoff;
    l.velocityGain.at[k] = velocityGain;

    PutEnvelopeInLane(envWoodFilter, l.envWoodFilter, k);
    PutEnvelopeInLane(envFilter, l.envFilter, k);
    PutEnvelopeInLane(envMaster, l.envMaster, k);
}

void Voice::TakeFromLane(const VoiceLanes& l, int k)
{
    for (int m = 0; m < kModelCount; ++m)
        TakeOscillatorFromLane(oscillators[m], l.oscillators[m], k);

    // The phaser's and the wood filter's coefficients never change inside a
    // sub-block (their cutoffs move at ticks): only their states come back.
    CopyStageStates(phaser, l.phaser.Get(k));
    CopyStageStates(woodFilter, l.wood.Get(k));
    mainFilter = l.main.Get(k);
    mainSetting.cutoff = l.cutoff.at[k];
    mainSetting.madeFor = l.madeFor.at[k];

    TakeEnvelopeFromLane(envWoodFilter, l.envWoodFilter, k);
    TakeEnvelopeFromLane(envFilter, l.envFilter, k);
    TakeEnvelopeFromLane(envMaster, l.envMaster, k);
}

}  // namespace orv::engine
