// A host that calls in any order: bytes read as a script of host actions
// (open, close, suspend, resume, sample rates, block sizes, processing with
// MIDI, parameters, programs, names, chunks taken at any moment, the editor
// without a window, vendor requests) played against fresh instances, with
// the plug-in's promises checked after every step. The libFuzzer target
// FuzzHostCalls and a seeded random test share it.
#pragma once

#include "framework/VstAbi.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace hosttest {

struct ScriptReader;

// What a refused chunk or state must leave as it was, read through the
// effect record: every program name, the values, the program number.
struct EffectObservation {
    std::vector<std::string> names;
    std::vector<float> values;
    intptr_t program = 0;
    bool operator==(const EffectObservation&) const = default;
};
EffectObservation ObserveEffect(orv::framework::vst::AEffect* effect);

// The largest magnitude a sample may have: far above any music ORV makes,
// far below what a runaway filter or an unbounded value gives.
inline constexpr double kSaneBound = 64.0;

// "" when every sample of both channels is finite and within kSaneBound,
// else the first pair that is not.
template <typename Sample>
std::string OutputOutOfBounds(const Sample* left, const Sample* right, size_t frames)
{
    for (size_t i = 0; i < frames; ++i) {
        const double l = left[i], r = right[i];
        if (!std::isfinite(l) || !std::isfinite(r) || std::fabs(l) > kSaneBound || std::fabs(r) > kSaneBound)
            return "a sample out of bounds: " + std::to_string(l) + ", " + std::to_string(r);
    }
    return {};
}

class HostCallScript {
public:
    using EntryPoint = orv::framework::vst::AEffect* (*)(orv::framework::vst::HostCallback);
    // allocations: the process's count of allocations so far (to check that
    // processing allocates nothing), or empty when the program cannot count.
    HostCallScript(EntryPoint entry, std::function<long()> allocations);
    ~HostCallScript();
    HostCallScript(const HostCallScript&) = delete;
    HostCallScript& operator=(const HostCallScript&) = delete;

    // Plays the script on a fresh instance; "" when every promise held, else
    // what broke first.
    std::string Play(const uint8_t* data, size_t size);

private:
    class Instance;
    std::string Step(ScriptReader& reader);
    std::string CheckInvariants();
    std::string CheckBankIntoSecondInstance();

    EntryPoint entry;
    std::function<long()> allocations;
    std::vector<std::vector<uint8_t>> savedChunks;  // taken at earlier moments of the run
    std::unique_ptr<Instance> instance;
};

}  // namespace hosttest
