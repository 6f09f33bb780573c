// What a user could lose, read straight from the instrument: every program's
// name and stored state, the current program and its live values. Also a host
// callback that records what the instrument tells its host.
#pragma once

#include "tests/instrument/InstrumentFixture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace instrumenttest {

using Bytes = std::vector<uint8_t>;

struct Observation {
    std::vector<std::string> names;
    std::vector<Bytes> states;
    std::vector<double> values;
    int program = -1;

    bool operator==(const Observation&) const = default;
};

inline std::vector<double> LiveValues(orv::instrument::ORV& plugin)
{
    std::vector<double> values;
    for (int i = 0; i < plugin.ParameterCount(); ++i)
        values.push_back(plugin.GetParameter(i).value);
    return values;
}

inline Observation Observe(orv::instrument::ORV& plugin)
{
    Observation seen;
    for (int i = 0; i < plugin.ProgramCount(); ++i) {
        seen.names.push_back(plugin.GetProgramName(i));
        const orv::framework::SerialBuffer& state = plugin.GetProgramSlot(i).state;
        seen.states.emplace_back(state.Data(), state.Data() + state.Size());
    }
    seen.values = LiveValues(plugin);
    seen.program = plugin.CurrentProgram();
    return seen;
}

// The values of every program, reached by switching to it; returns to the
// program it started at.
inline std::vector<std::vector<double>> ProgramValues(orv::instrument::ORV& plugin)
{
    const int current = plugin.CurrentProgram();
    std::vector<std::vector<double>> programs;
    for (int i = 0; i < plugin.ProgramCount(); ++i) {
        plugin.SwitchProgram(i);
        programs.push_back(LiveValues(plugin));
    }
    plugin.SwitchProgram(current);
    return programs;
}

inline std::vector<std::string> ProgramNames(orv::instrument::ORV& plugin)
{
    std::vector<std::string> names;
    for (int i = 0; i < plugin.ProgramCount(); ++i)
        names.push_back(plugin.GetProgramName(i));
    return names;
}

struct HostCall {
    int32_t opcode = 0;
    int32_t index = 0;
    float opt = 0.0f;
};

// What the recording host heard, oldest first.
inline std::vector<HostCall>& HeardByHost()
{
    static std::vector<HostCall> calls;
    return calls;
}

inline intptr_t RecordingHost(orv::framework::vst::AEffect*, int32_t opcode, int32_t index, intptr_t, void*, float opt)
{
    HeardByHost().push_back({opcode, index, opt});
    return opcode == orv::framework::vst::audioMasterVersion ? 2400 : 0;
}

inline std::vector<HostCall> HeardOf(int32_t opcode)
{
    std::vector<HostCall> matching;
    for (const HostCall& call : HeardByHost())
        if (call.opcode == opcode)
            matching.push_back(call);
    return matching;
}

}  // namespace instrumenttest
