#include "framework/Parameter.h"

#include "framework/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace orv::framework {

void CopyText(char* destination, size_t capacity, const char* text)
{
    if (destination == nullptr || capacity == 0)
        return;
    if (text == nullptr)
        text = "";
    const size_t length = strnlen(text, capacity - 1);
    std::memcpy(destination, text, length);
    destination[length] = '\0';
}

void Parameter::DefineDouble(const char* newName, double defaultValue_, double minimum_, double maximum_, double step_,
                             double shape_)
{
    if (kind == kParameterNone)
        kind = kParameterDouble;
    CopyText(name, sizeof name, newName);
    label[0] = '\0';
    group[0] = '\0';
    minimum = minimum_;
    value = defaultValue_;
    defaultValue = defaultValue_;
    step = step_;
    maximum = std::max(maximum_, minimum_ + step_);
    // Decimals shown: how often the step must be scaled by ten to become whole.
    displayPrecision = 0;
    double scaled = step_;
    while (displayPrecision < 6 && scaled != std::floor(scaled)) {
        scaled *= 10.0;
        ++displayPrecision;
    }
    if (shape_ != 0.0)
        shape = shape_;
}

void Parameter::DefineEnumeration(const char* newName, double defaultValue_, int count)
{
    if (kind == kParameterNone)
        kind = kParameterEnumeration;
    DefineDouble(newName, defaultValue_, 0.0, static_cast<double>(count - 1), 1.0, 1.0);
}

void Parameter::AddDisplayText(int32_t entryValue, const char* text)
{
    DisplayText entry;
    entry.value = entryValue;
    CopyText(entry.text, sizeof entry.text, text);
    displayTexts.push_back(entry);
}

void Parameter::SetNormalised(double x)
{
    // Automation that undershoots 0 means the bottom of the range, as
    // overshooting 1 means the top: the value never leaves [minimum, maximum].
    if (!(x >= 0.0))
        x = 0.0;
    value = std::pow(x, shape) * (maximum - minimum) + minimum;
    if (kind != kParameterDouble)
        value = std::floor(value / step + 0.5) * step;
    value = Clamp(value);
}

double Parameter::Clamp(double v) const
{
    return std::isnan(v) ? minimum : std::clamp(v, minimum, maximum);
}

double Parameter::GetNormalised(double v) const
{
    v = Clamp(v);
    return std::pow((v - minimum) / (maximum - minimum), 1.0 / shape);
}

void Parameter::FormatDisplay(double v, bool vIsNormalised, char* text, size_t capacity, bool useTexts) const
{
    if (text == nullptr || capacity == 0)
        return;
    if (vIsNormalised)
        v = std::pow(v, shape) * (maximum - minimum) + minimum;
    if (displayFunction != nullptr) {
        text[0] = '\0';
        displayFunction(v, text, capacity);
        text[capacity - 1] = '\0';
        return;
    }
    if (useTexts) {
        for (const DisplayText& entry : displayTexts) {
            if (static_cast<double>(entry.value) == std::trunc(v)) {
                if (entry.text[0] != '\0') {
                    CopyText(text, capacity, entry.text);
                    return;
                }
                break;
            }
        }
    }
    if (negateDisplay)
        v = -v;
    if (displayPrecision > 0)
        FormatFixed(v, displayPrecision, text, capacity);
    else
        std::snprintf(text, capacity, "%d", static_cast<int>(std::trunc(v)));
}

const char* Parameter::HostLabel() const
{
    const double truncated = std::trunc(value);
    for (const DisplayText& entry : displayTexts)
        if (static_cast<double>(entry.value) == truncated && entry.text[0] != '\0')
            return "";
    return label;
}

const char* Parameter::HostName() const
{
    return kind == kParameterNone && name[0] == '\0' ? "Reserved" : name;
}

const DisplayText* Parameter::FindDisplayText(const char* text) const
{
    for (const DisplayText& entry : displayTexts)
        if (std::strcmp(entry.text, text) == 0)
            return &entry;
    return nullptr;
}

}  // namespace orv::framework
