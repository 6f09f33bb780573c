#include "instrument/OrvParameters.h"

#include "instrument/ORV.h"

#include "framework/NumberText.h"

#include <cmath>

namespace orv::instrument {

namespace {

constexpr int kDecibelDecimals = 1;
constexpr double kPercent = 100.0;

}  // namespace

void FormatVolumeDb(double value, char* text, size_t capacity)
{
    if (value <= 0.0)
        framework::CopyText(text, capacity, "-oo");
    else
        framework::FormatFixed(20.0 * std::log10(value), kDecibelDecimals, text, capacity);
}

void FormatVariationPercent(double value, char* text, size_t capacity)
{
    const bool nonZero = value > 0.0 || value < 0.0;
    if (!nonZero || capacity < 2) {
        framework::CopyText(text, capacity, "0");
        return;
    }
    text[0] = value > 0.0 ? '+' : '-';
    framework::FormatFixed(std::fabs(value) * kPercent, 0, text + 1, capacity - 1);
}

void ORV::DefineParameters()
{
    auto defineDouble = [this](int index, const char* name, double defaultValue, double minimum, double maximum,
                               double step, framework::Parameter::DisplayFunction display = nullptr) {
        framework::Parameter& parameter = GetParameter(index);
        parameter.DefineDouble(name, defaultValue, minimum, maximum, step, 1.0);
        parameter.displayFunction = display;
    };

    defineDouble(engine::kVolume, "Volume", 0.5, 0.0, 1.0, 0.01, &FormatVolumeDb);
    defineDouble(engine::kVariationX, "Variation X", 0.0, -1.0, 1.0, 0.0001, &FormatVariationPercent);
    defineDouble(engine::kVariationY, "Variation Y", 0.0, -1.0, 1.0, 0.0001, &FormatVariationPercent);
    defineDouble(engine::kVivid, "Vivid", 0.0, 0.0, 1.0, 0.0001);
    defineDouble(engine::kAir, "Air", 0.0, 0.0, 1.0, 0.0001);
    defineDouble(engine::kRelease, "Release", 0.2, 0.0, 1.0, 0.0001);
    defineDouble(engine::kEnvelope, "Envelope", 0.3, 0.0, 1.0, 0.0001);
    defineDouble(engine::kVariationX2, "Variation X2", 0.0, -1.0, 1.0, 0.0001, &FormatVariationPercent);
    defineDouble(engine::kVariationY2, "Variation Y2", 0.0, -1.0, 1.0, 0.0001, &FormatVariationPercent);

    framework::Parameter& morphMode = GetParameter(engine::kMorphMode);
    morphMode.DefineEnumeration("Morph Mode", engine::kMorphOff, 4);
    morphMode.AddDisplayText(engine::kMorphOff, "Off");
    morphMode.AddDisplayText(engine::kMorphOnce, "Once");
    morphMode.AddDisplayText(engine::kMorphOneShot, "One Shot");
    morphMode.AddDisplayText(engine::kMorphSwing, "Swing");

    defineDouble(engine::kMorphRate, "Morph Rate", 0.3, 0.0, 1.0, 0.001);
}

}  // namespace orv::instrument
