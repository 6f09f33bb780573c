#include "instrument/OrvParameters.h"

#include "instrument/ORV.h"

#include "framework/NumberText.h"

#include <cmath>

namespace {

constexpr int kDecibelDecimals = 1;
constexpr double kPercent = 100.0;

}  // namespace

void FormatVolumeDb(double value, char* text, size_t capacity)
{
    if (value <= 0.0)
        CopyText(text, capacity, "-oo");
    else
        FormatFixed(20.0 * std::log10(value), kDecibelDecimals, text, capacity);
}

void FormatVariationPercent(double value, char* text, size_t capacity)
{
    const bool nonZero = value > 0.0 || value < 0.0;
    if (!nonZero || capacity < 2) {
        CopyText(text, capacity, "0");
        return;
    }
    text[0] = value > 0.0 ? '+' : '-';
    FormatFixed(std::fabs(value) * kPercent, 0, text + 1, capacity - 1);
}

void ORV::DefineParameters()
{
    auto defineDouble = [this](int index, const char* name, double defaultValue, double minimum, double maximum,
                               double step, Parameter::DisplayFunction display = nullptr) {
        Parameter& parameter = GetParameter(index);
        parameter.DefineDouble(name, defaultValue, minimum, maximum, step, 1.0);
        parameter.displayFunction = display;
    };

    defineDouble(kVolume, "Volume", 0.5, 0.0, 1.0, 0.01, &FormatVolumeDb);
    defineDouble(kVariationX, "Variation X", 0.0, -1.0, 1.0, 0.0001, &FormatVariationPercent);
    defineDouble(kVariationY, "Variation Y", 0.0, -1.0, 1.0, 0.0001, &FormatVariationPercent);
    defineDouble(kVivid, "Vivid", 0.0, 0.0, 1.0, 0.0001);
    defineDouble(kAir, "Air", 0.0, 0.0, 1.0, 0.0001);
    defineDouble(kRelease, "Release", 0.2, 0.0, 1.0, 0.0001);
    defineDouble(kEnvelope, "Envelope", 0.3, 0.0, 1.0, 0.0001);
    defineDouble(kVariationX2, "Variation X2", 0.0, -1.0, 1.0, 0.0001, &FormatVariationPercent);
    defineDouble(kVariationY2, "Variation Y2", 0.0, -1.0, 1.0, 0.0001, &FormatVariationPercent);

    Parameter& morphMode = GetParameter(kMorphMode);
    morphMode.DefineEnumeration("Morph Mode", kMorphOff, 4);
    morphMode.AddDisplayText(kMorphOff, "Off");
    morphMode.AddDisplayText(kMorphOnce, "Once");
    morphMode.AddDisplayText(kMorphOneShot, "One Shot");
    morphMode.AddDisplayText(kMorphSwing, "Swing");

    defineDouble(kMorphRate, "Morph Rate", 0.3, 0.0, 1.0, 0.001);
}
