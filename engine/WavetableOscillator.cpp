#include "WavetableOscillator.h"

#include "WavetableBank.h"

#include <cmath>

namespace {

constexpr uint32_t kPhaseMask = 0x7FFFFFF;

// Advances a 27-bit phase; unsigned so that no increment can overflow.
inline int32_t Advance(int32_t phase, int32_t increment)
{
    return static_cast<int32_t>((static_cast<uint32_t>(phase) + static_cast<uint32_t>(increment)) & kPhaseMask);
}

int SpectrumOf(int model)
{
    switch (model) {
    case kModelWood: return kSpectrumWood;
    case kModelMetal: return kSpectrumMetal;
    case kModelGlass: return kSpectrumGlass;
    default: return kSpectrumSaw;
    }
}

// Largest truncated pitch index passed on; beyond it the table clamps anyway.
constexpr double kIndexLimit = 1.0e9;

}  // namespace

WavetableOscillator::WavetableOscillator()
{
    table = WavetableBank::Instance().Table(kSpectrumSaw, 0);
}

void WavetableOscillator::Prepare(int model, const SynthGlobals& settings, const PhaseIncrementTable& table_,
                                  const double* bend)
{
    increments = &table_;
    phase = 0;
    octavePhase = 0;
    bendRange = settings.pitchBendRange * 128;
    bendSource = bend;
    transpose = settings.modelTranspose[model];
    tuning = settings.modelTuning[model];
    pitchOffset = transpose * 128 + tuning;
    type = model;
    lastIndex = -1;
}

void WavetableOscillator::SetVivid(double vivid)
{
    octaveAmplitude = vivid * 0.33;
    octaveRatio = 1.0 - vivid * 0.0075;
}

void WavetableOscillator::UpdatePitch(double p, double modulation)
{
    amplitude = (modulation + 1.0) * level;
    const double exact = std::trunc(bendRange * *bendSource + (pitchOffset + p));
    const int32_t index = static_cast<int32_t>(std::isnan(exact) ? 0.0 : std::fmax(-kIndexLimit, std::fmin(exact, kIndexLimit)));
    increment = (*increments)[index];
    octaveIncrement = static_cast<int32_t>(std::fmin(std::floor(2.0 * increment * octaveRatio), 2147483647.0));
    if (index == lastIndex)
        return;
    lastIndex = index;

    int tableLevel = WavetableBank::kLevels - 1;
    if (type != kModelSine) {
        double step = increment >> 16;  // table samples per output sample
        tableLevel = 0;
        while (step > 1.0 && tableLevel < WavetableBank::kLevels - 1) {
            step *= 0.7071067811865476;
            ++tableLevel;
        }
        if (type == kModelString && tableLevel > 0)
            --tableLevel;  // one level brighter
    }
    table = WavetableBank::Instance().Table(SpectrumOf(type), tableLevel);
}

void WavetableOscillator::RenderAdd(double* buffer, int frames)
{
    if (level == 0.0)
        return;
    const double* const samples = table;
    if (type == kModelString || type == kModelSine) {
        for (int i = 0; i < frames; ++i) {
            buffer[i] += (samples[octavePhase >> 16] * octaveAmplitude + samples[phase >> 16]) * amplitude;
            phase = Advance(phase, increment);
            octavePhase = Advance(octavePhase, octaveIncrement);
        }
    } else {
        for (int i = 0; i < frames; ++i) {
            buffer[i] += samples[phase >> 16] * amplitude;
            phase = Advance(phase, increment);
        }
    }
}
