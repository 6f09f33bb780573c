#include "engine/VoiceBatch.h"

#include "engine/WavetableBank.h"

#include <algorithm>
#include <cstddef>

namespace orv::engine {

namespace {

VoiceLaneKernel KernelFor(SimdLevel level)
{
    switch (level) {
#if defined(ORV_X86_LANE_KERNELS)
    case SimdLevel::kAvx512:
        return RenderVoiceLanesAvx512;
    case SimdLevel::kAvx2:
        return RenderVoiceLanesAvx2;
#endif
    case SimdLevel::kScalar:
        return RenderVoiceLanesScalar;
    default:
        return RenderVoiceLanesBaseline;
    }
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
        if (!voice.IsActive())
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
        voices[k]->PutInLane(*lanes, k);
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
        voices[k]->TakeFromLane(*lanes, k);
    // Per sample, voice after voice: the additions of one voice at a time.
    for (int i = 0; i < frames; ++i) {
        const double* const outputs = out.data() + static_cast<size_t>(i) * kLaneWidth;
        double sum = mix[i];
        for (int k = 0; k < count; ++k)
            sum += outputs[k];
        mix[i] = sum;
    }
}

}  // namespace orv::engine
