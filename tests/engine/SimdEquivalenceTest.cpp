// The engine renders several voices at once (SIMD lanes across voices). That
// must not change a single output bit: random patches, settings and MIDI
// streams, at many sample rates and block sizes, render the same bits at
// every instruction set the machine offers as one voice at a time on plain
// doubles.
#include "tests/engine/EngineScenario.h"

#include "engine/SimdLevel.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

using namespace orv::engine;

namespace {

// Unoptimised (debug and sanitizer) builds play a few short scenarios; the
// full sweep runs in optimised builds.
#if defined(NDEBUG)
constexpr uint32_t kScenarios = 32;
constexpr uint32_t kWildScenarios = 10;
constexpr double kLengthScale = 1.0;
#else
constexpr uint32_t kScenarios = 8;
constexpr uint32_t kWildScenarios = 4;
constexpr double kLengthScale = 0.5;
#endif

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The first frame at which two renders differ, or -1.
int64_t FirstDifference(const std::vector<double>& a, const std::vector<double>& b)
{
    for (size_t i = 0; i < a.size(); ++i)
        if (!SameBits(a[i], b[i]))
            return static_cast<int64_t>(i);
    return -1;
}

void ExpectSameAsScalar(const Scenario& scenario)
{
    const ScenarioOutput scalar = PlayScenario(scenario, SimdLevel::kScalar);
    for (SimdLevel level : SupportedSimdLevels()) {
        const ScenarioOutput lanes = PlayScenario(scenario, level);
        for (const auto& [name, a, b] :
             {std::tuple{"left", &lanes.left, &scalar.left}, std::tuple{"right", &lanes.right, &scalar.right}}) {
            const int64_t at = FirstDifference(*a, *b);
            ASSERT_EQ(at, -1) << "seed " << scenario.seed << ", " << SimdLevelName(level) << ", " << name
                              << " differs at frame " << at << " (rate " << scenario.sampleRate
                              << "): " << (*a)[static_cast<size_t>(at)] << " vs scalar "
                              << (*b)[static_cast<size_t>(at)];
        }
    }
}

}  // namespace

TEST(SimdEquivalence, EveryInstructionSetRendersTheBitsOfOneVoiceAtATime)
{
    std::string levels;
    for (SimdLevel level : SupportedSimdLevels())
        levels += std::string(levels.empty() ? "" : ", ") + SimdLevelName(level);
    RecordProperty("instruction_sets", levels);
    std::printf("instruction sets compared with the scalar kernel: %s\n", levels.c_str());

    std::vector<Scenario> scenarios;
    for (uint32_t seed = 1; seed <= kScenarios; ++seed)
        scenarios.push_back(MakeScenario(seed, false, kLengthScale));
    // Settings that drive the filters to NaN and infinity.
    for (uint32_t seed = 1001; seed < 1001 + kWildScenarios; ++seed)
        scenarios.push_back(MakeScenario(seed, true, kLengthScale));
    scenarios.push_back(MakePoleScenario());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    scenarios.push_back(MakeSilenceScenario(44100.0, {7, 64, 3}, 0.8, 1.0));
    scenarios.push_back(MakeSilenceScenario(22050.0, {31, 256}, -0.0, 0.5));
    scenarios.push_back(MakeSilenceScenario(96000.0, {2048, 100}, 0.3, nan));
    for (const Scenario& scenario : scenarios) {
        ExpectSameAsScalar(scenario);
        if (HasFatalFailure())
            return;
    }
}
