#include "VoiceBatch.h"

#include "WavetableBank.h"

#include <algorithm>
#include <cstddef>

namespace {

VoiceLaneKernel KernelFor(SimdLevel level)
{
#if defined(ORV_X86_LANE_KERNELS)
    switch (level) {
    case SimdLevel::kAvx512: return RenderVoiceLanesAvx512;
    case SimdLevel::kAvx2: return RenderVoiceLanesAvx2;
    default: break;
    }
#else
    (void)level;
#endif
    return RenderVoiceLanesBaseline;
}

void LoadOscillatorLane(OscillatorLanes& lanes, int k, const WavetableOscillator& oscillator, const double* bank)
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

void LoadFilterLane(FilterLanes& lanes, int k, const LadderFilter& filter)
{
    lanes.g.at[k] = filter.g;
    lanes.g4.at[k] = filter.g4;
    lanes.b.at[k] = filter.b;
    lanes.feedback.at[k] = filter.feedback;
    lanes.normalise.at[k] = filter.normalise;
    lanes.gain.at[k] = filter.gain;
    lanes.s1.at[k] = filter.s1;
    lanes.s2.at[k] = filter.s2;
    lanes.s3.at[k] = filter.s3;
    lanes.s4.at[k] = filter.s4;
    lanes.offset.at[k] = filter.denormalOffset;
}

void StoreFilterStates(const FilterLanes& lanes, int k, LadderFilter& filter)
{
    filter.s1 = lanes.s1.at[k];
    filter.s2 = lanes.s2.at[k];
    filter.s3 = lanes.s3.at[k];
    filter.s4 = lanes.s4.at[k];
    filter.denormalOffset = lanes.offset.at[k];
}

void StoreFilterLane(const FilterLanes& lanes, int k, LadderFilter& filter)
{
    filter.g = lanes.g.at[k];
    filter.g4 = lanes.g4.at[k];
    filter.b = lanes.b.at[k];
    filter.feedback = lanes.feedback.at[k];
    filter.normalise = lanes.normalise.at[k];
    filter.gain = lanes.gain.at[k];
    filter.s1 = lanes.s1.at[k];
    filter.s2 = lanes.s2.at[k];
    filter.s3 = lanes.s3.at[k];
    filter.s4 = lanes.s4.at[k];
    filter.denormalOffset = lanes.offset.at[k];
}

// The phaser's coefficients never change inside a sub-block (its cutoff moves
// at ticks), so only its states come back.
void LoadPhaserLane(FilterLanes& lanes, int k, const AllpassPhaser& phaser)
{
    lanes.g.at[k] = phaser.a;
    lanes.g4.at[k] = phaser.a4;
    lanes.b.at[k] = 0.0;
    lanes.feedback.at[k] = phaser.feedback;
    lanes.normalise.at[k] = phaser.normalise;
    lanes.gain.at[k] = phaser.gain;
    lanes.s1.at[k] = phaser.s1;
    lanes.s2.at[k] = phaser.s2;
    lanes.s3.at[k] = phaser.s3;
    lanes.s4.at[k] = phaser.s4;
    lanes.offset.at[k] = phaser.denormalOffset;
}

void StorePhaserLane(const FilterLanes& lanes, int k, AllpassPhaser& phaser)
{
    phaser.s1 = lanes.s1.at[k];
    phaser.s2 = lanes.s2.at[k];
    phaser.s3 = lanes.s3.at[k];
    phaser.s4 = lanes.s4.at[k];
    phaser.denormalOffset = lanes.offset.at[k];
}

void LoadEnvelopeLane(EnvelopeLanes& lanes, int k, const Envelope& envelope)
{
    lanes.value.at[k] = envelope.value;
    lanes.target.at[k] = envelope.target;
    lanes.coefficient.at[k] = envelope.coefficient;
    lanes.previous.at[k] = envelope.previous;
    lanes.stage[k] = envelope.stage;
    lanes.source[k] = &envelope;
}

void StoreEnvelopeLane(const EnvelopeLanes& lanes, int k, Envelope& envelope)
{
    envelope.value = lanes.value.at[k];
    envelope.target = lanes.target.at[k];
    envelope.coefficient = lanes.coefficient.at[k];
    envelope.previous = lanes.previous.at[k];
    envelope.stage = lanes.stage[k];
}

}  // namespace

VoiceBatch::VoiceBatch() : lanes(std::make_unique<VoiceLanes>()) {}

void VoiceBatch::Reset(int32_t frames)
{
    maxFrames = std::max(frames, 0);
    out.assign(static_cast<size_t>(maxFrames) * kLaneWidth, 0.0);
    lanes->out = out.data();
    lanes->bank = WavetableBank::Instance().Table(0, 0);
}

void VoiceBatch::SetSimdLevel(SimdLevel wanted)
{
    level = std::min(wanted, BestSimdLevel());
    kernel = KernelFor(level);
}

void VoiceBatch::Render(std::vector<Voice>& voices, double* mix, int frames)
{
    if (frames <= 0 || frames > maxFrames)
        return;
    Voice* chunk[kLaneWidth];
    int count = 0;
    for (Voice& voice : voices) {
        if (!voice.active)
            continue;
        chunk[count++] = &voice;
        if (count == kLaneWidth) {
            RenderLanes(chunk, count, mix, frames);
            count = 0;
        }
    }
    if (count > 0)
        RenderLanes(chunk, count, mix, frames);
}

void VoiceBatch::RenderLanes(Voice* const* voices, int count, double* mix, int frames)
{
    for (int k = 0; k < count; ++k)
        LoadLane(k, *voices[k]);
    // Empty lanes keep what an earlier voice left there (finite values, valid
    // table positions) and are computed along, but nothing of theirs is kept;
    // idle envelopes and no wood path keep them from asking for extra work.
    for (int k = count; k < kLaneWidth; ++k) {
        lanes->woodGain.at[k] = 0.0;
        lanes->envWoodFilter.stage[k] = Envelope::kIdle;
        lanes->envFilter.stage[k] = Envelope::kIdle;
        lanes->envMaster.stage[k] = Envelope::kIdle;
    }
    for (OscillatorLanes& oscillator : lanes->oscillators) {
        oscillator.anySounding = false;
        for (int k = 0; k < count; ++k)
            oscillator.anySounding = oscillator.anySounding || oscillator.level.at[k] != 0.0;
    }

    kernel(*lanes, count, frames);

    for (int k = 0; k < count; ++k)
        StoreLane(k, *voices[k]);
    // Per sample, voice after voice: the additions of one voice at a time.
    for (int i = 0; i < frames; ++i) {
        const double* const outputs = out.data() + static_cast<size_t>(i) * kLaneWidth;
        double sum = mix[i];
        for (int k = 0; k < count; ++k)
            sum += outputs[k];
        mix[i] = sum;
    }
}

void VoiceBatch::LoadLane(int k, Voice& voice)
{
    VoiceLanes& l = *lanes;

    for (int m = 0; m < kModelCount; ++m)
        LoadOscillatorLane(l.oscillators[m], k, voice.oscillators[m], l.bank);

    voice.phaser.RefreshCoefficients();  // the phaser runs on every sample
    LoadPhaserLane(l.phaser, k, voice.phaser);
    l.phaserMix.at[k] = voice.phaserMix;

    const double woodGain = voice.settings->woodFilterVolume * voice.woodAmount * voice.vivid;
    if (woodGain > 0.0)
        voice.woodFilter.RefreshCoefficients();  // its cutoff moves at ticks only
    LoadFilterLane(l.wood, k, voice.woodFilter);
    l.woodGain.at[k] = woodGain;
    l.ring.at[k] = (0.5 * voice.tremoloLfo.output + 0.75 * voice.phaserLfo.output) * voice.vivid;

    const LadderFilter& main = voice.mainFilter;
    LoadFilterLane(l.main, k, main);
    l.cutoff.at[k] = main.cutoff;
    l.cachedCutoff.at[k] = main.cachedCutoff;
    l.newFeedback.at[k] = 4.1 * main.resonance;
    l.newGain.at[k] = 2.0 - (1.0 - main.resonance) * (1.0 - main.resonance);
    l.filterEnvAmount.at[k] = voice.filterEnvAmount;
    l.baseCutoff.at[k] = voice.baseCutoff;
    l.velocityGain.at[k] = voice.velocityGain;

    LoadEnvelopeLane(l.envWoodFilter, k, voice.envWoodFilter);
    LoadEnvelopeLane(l.envFilter, k, voice.envFilter);
    LoadEnvelopeLane(l.envMaster, k, voice.envMaster);
}

void VoiceBatch::StoreLane(int k, Voice& voice) const
{
    const VoiceLanes& l = *lanes;
    for (int m = 0; m < kModelCount; ++m) {
        WavetableOscillator& oscillator = voice.oscillators[m];
        if (oscillator.level != 0.0) {
            oscillator.phase = static_cast<int32_t>(l.oscillators[m].phase.at[k]);
            oscillator.octavePhase = static_cast<int32_t>(l.oscillators[m].octavePhase.at[k]);
        }
    }
    StorePhaserLane(l.phaser, k, voice.phaser);
    StoreFilterStates(l.wood, k, voice.woodFilter);  // its coefficients stay as they were
    StoreFilterLane(l.main, k, voice.mainFilter);
    voice.mainFilter.cutoff = l.cutoff.at[k];
    voice.mainFilter.cachedCutoff = l.cachedCutoff.at[k];
    StoreEnvelopeLane(l.envWoodFilter, k, voice.envWoodFilter);
    StoreEnvelopeLane(l.envFilter, k, voice.envFilter);
    StoreEnvelopeLane(l.envMaster, k, voice.envMaster);
}
