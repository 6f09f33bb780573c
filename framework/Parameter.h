// One automatable value. It keeps its value in its own units; hosts and
// editor controls see the normalised form
//   n = ((value - minimum) / (maximum - minimum))^(1 / shape),
// and text through FormatDisplay. Stepped kinds snap to their step when set
// from a normalised value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orv::framework {

enum ParameterKind : int32_t {
    kParameterNone = 0,
    kParameterEnumeration = 3,
    kParameterDouble = 4,
};

struct DisplayText {
    int32_t value = 0;
    char text[32] = {};
};

class Parameter {
public:
    // Writes the display text of value into text (capacity bytes).
    using DisplayFunction = void (*)(double value, char* text, size_t capacity);

    static constexpr size_t kTextSize = 32;

    void DefineDouble(const char* name, double defaultValue, double minimum, double maximum, double step, double shape);
    void DefineEnumeration(const char* name, double defaultValue, int count);
    void AddDisplayText(int32_t value, const char* text);

    // Sets the value from a normalised position; positions outside 0..1
    // give the ends of the range.
    void SetNormalised(double x);
    double GetNormalised(double v) const;
    double GetNormalised() const { return GetNormalised(value); }
    // v limited to [minimum, maximum]; a value that is not a number becomes
    // the minimum, so corrupt stored data cannot poison the engine.
    double Clamp(double v) const;

    void FormatDisplay(double v, bool vIsNormalised, char* text, size_t capacity, bool useTexts) const;
    const char* HostLabel() const;
    // The name hosts show: a slot the instrument never defined keeps its
    // empty record but is shown as reserved, not as a blank or a number.
    const char* HostName() const;

    // Finds the display-text entry that equals text exactly.
    const DisplayText* FindDisplayText(const char* text) const;
    bool HasDisplayTexts() const { return !displayTexts.empty(); }
    bool IsStepped() const { return kind != kParameterDouble; }

    DisplayFunction displayFunction = nullptr;
    ParameterKind kind = kParameterNone;
    double value = 0.0;
    double minimum = 0.0;
    double maximum = 1.0;
    double step = 1.0;
    double shape = 1.0;
    double defaultValue = 0.0;
    int32_t displayPrecision = 0;
    char name[kTextSize] = {};
    char label[kTextSize] = {};
    char group[kTextSize] = {};
    bool negateDisplay = false;
    bool canAutomate = true;
    std::vector<DisplayText> displayTexts;
};

// Copies text into a buffer of capacity bytes, always terminated.
void CopyText(char* destination, size_t capacity, const char* text);

}  // namespace orv::framework
