// What a host can read of a plug-in's state through VST 2: parameter texts and
// values, program names, chunks and rendered sound.
#pragma once

#include "tests/host/EventBatch.h"
#include "tests/host/HostedPlugin.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace hosttest {

using Bytes = std::vector<uint8_t>;

constexpr int kParameters = 12;
constexpr int kPrograms = 64;

inline std::string ParameterText(HostedPlugin& plugin, int32_t opcode, int32_t index)
{
    char text[256] = {};
    plugin.Dispatch(opcode, index, 0, text);
    return text;
}

inline std::string Display(HostedPlugin& plugin, int32_t index)
{
    return ParameterText(plugin, orv::framework::vst::effGetParamDisplay, index);
}

inline float Value(HostedPlugin& plugin, int32_t index)
{
    return plugin.effect->getParameter(plugin.effect, index);
}

inline void Set(HostedPlugin& plugin, int32_t index, float normalised)
{
    plugin.effect->setParameter(plugin.effect, index, normalised);
}

inline std::vector<float> Values(HostedPlugin& plugin)
{
    std::vector<float> values;
    for (int32_t i = 0; i < kParameters; ++i)
        values.push_back(Value(plugin, i));
    return values;
}

inline std::string ProgramName(HostedPlugin& plugin, int32_t index)
{
    char text[256] = {};
    plugin.Dispatch(orv::framework::vst::effGetProgramNameIndexed, index, 0, text);
    return text;
}

inline std::vector<std::string> ProgramNames(HostedPlugin& plugin)
{
    std::vector<std::string> names;
    for (int32_t i = 0; i < kPrograms; ++i)
        names.push_back(ProgramName(plugin, i));
    return names;
}

inline void SelectProgram(HostedPlugin& plugin, int32_t index)
{
    plugin.Dispatch(orv::framework::vst::effSetProgram, 0, index);
}

inline void RenameProgram(HostedPlugin& plugin, const std::string& name)
{
    plugin.Dispatch(orv::framework::vst::effSetProgramName, 0, 0, const_cast<char*>(name.c_str()));
}

// A copy of the chunk the plug-in hands out; empty when it refuses.
inline Bytes GetChunk(HostedPlugin& plugin, int32_t index)
{
    void* data = nullptr;
    const intptr_t size = plugin.Dispatch(orv::framework::vst::effGetChunk, index, 0, &data);
    if (size <= 0 || data == nullptr)
        return {};
    const auto* first = static_cast<const uint8_t*>(data);
    return Bytes(first, first + size);
}

inline intptr_t SetChunk(HostedPlugin& plugin, int32_t index, const Bytes& chunk)
{
    return plugin.Dispatch(orv::framework::vst::effSetChunk, index, static_cast<intptr_t>(chunk.size()),
                           const_cast<uint8_t*>(chunk.data()));
}

// Everything a user could lose: every program's name and values, the current
// program and its live values.
struct Observation {
    Bytes bank;
    std::vector<std::string> names;
    std::vector<float> values;
    intptr_t program = -1;

    bool operator==(const Observation&) const = default;
};

inline Observation Observe(HostedPlugin& plugin)
{
    Observation seen;
    seen.values = Values(plugin);
    seen.names = ProgramNames(plugin);
    seen.program = plugin.Dispatch(orv::framework::vst::effGetProgram);
    seen.bank = GetChunk(plugin, 0);
    return seen;
}

// The values of every program, reached as a host does: by selecting it.
// Leaves the plug-in at the program it was at.
inline std::vector<std::vector<float>> ProgramValues(HostedPlugin& plugin)
{
    const intptr_t current = plugin.Dispatch(orv::framework::vst::effGetProgram);
    std::vector<std::vector<float>> programs;
    for (int32_t i = 0; i < kPrograms; ++i) {
        SelectProgram(plugin, i);
        programs.push_back(Values(plugin));
    }
    SelectProgram(plugin, static_cast<int32_t>(current));
    return programs;
}

// Sends events, then renders frames in blocks of 64; returns the left channel.
inline std::vector<float> Render(HostedPlugin& plugin, int frames, EventBatch* events = nullptr)
{
    if (events != nullptr)
        plugin.Dispatch(orv::framework::vst::effProcessEvents, 0, 0, events->Events());
    std::vector<float> left(static_cast<size_t>(frames)), right(static_cast<size_t>(frames));
    for (int done = 0; done < frames; done += 64) {
        float* outputs[] = {left.data() + done, right.data() + done};
        plugin.effect->processReplacing(plugin.effect, nullptr, outputs, std::min(64, frames - done));
    }
    return left;
}

inline float Peak(const std::vector<float>& samples)
{
    float peak = 0.0f;
    for (float sample : samples)
        peak = std::max(peak, std::abs(sample));
    return peak;
}

// The normalised form of a value in a parameter's own units.
inline float Normalised(int32_t index, double value)
{
    switch (index) {
    case 1:
    case 2:
    case 8:
    case 9:
        return static_cast<float>((value + 1.0) / 2.0);
    case 10:
        return static_cast<float>(value / 3.0);
    default:
        return static_cast<float>(value);
    }
}

inline std::vector<float> NormalisedValues(const std::vector<double>& values)
{
    std::vector<float> normalised;
    for (size_t i = 0; i < values.size(); ++i)
        normalised.push_back(Normalised(static_cast<int32_t>(i), values[i]));
    return normalised;
}

}  // namespace hosttest
