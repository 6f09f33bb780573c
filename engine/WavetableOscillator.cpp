#include "engine/WavetableOscillator.h"

#include "engine/WavetableBank.h"

namespace orv::engine {

namespace {

int SpectrumOf(int model)
{
    switch (model) {
    case kModelWood:
        return kSpectrumWood;
    case kModelMetal:
        return kSpectrumMetal;
    case kModelGlass:
        return kSpectrumGlass;
    default:
        return kSpectrumSaw;
    }
}

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

void WavetableOscillator::ChooseTable(int32_t index)
{
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

}  // namespace orv::engine
