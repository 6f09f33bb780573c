// Renders whose every bit is known: checksums of the output of fixed
// scenarios, as the engine rendered them when its sound was last confirmed.
// A change anywhere in the engine that alters a single sample changes a
// checksum. Should the sound ever change on purpose, the failure message
// gives the new checksums.
#include "tests/engine/EngineScenario.h"

#include "engine/SimdLevel.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <string>

using namespace orv::engine;

namespace {

// FNV-1a over the bytes of every left, then every right sample.
uint64_t Checksum(const ScenarioOutput& out)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    for (const std::vector<double>* channel : {&out.left, &out.right})
        for (const double sample : *channel) {
            unsigned char bytes[sizeof sample];
            std::memcpy(bytes, &sample, sizeof sample);
            for (const unsigned char byte : bytes)
                hash = (hash ^ byte) * 0x100000001b3ull;
        }
    return hash;
}

// The engine takes pow, exp and sin from the C library (envelope rates, the
// tuning and wavetables), whose last bits differ between glibc and the
// Windows runtime: each has its own checksums, the same for 32 and 64 bits.
struct Render {
    const char* name;
    std::function<Scenario()> make;
    uint64_t glibc;
    uint64_t windows;
};

constexpr double kHalfLength = 0.5;

}  // namespace

TEST(RenderChecksum, FixedScenariosRenderTheSavedBitsAtEveryInstructionSet)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Render renders[] = {
        {"random 1", [] { return MakeScenario(1, false, kHalfLength); }, 0xaa382b131c6123a6ull, 0x5d856a90f883e6ceull},
        {"random 2", [] { return MakeScenario(2, false, kHalfLength); }, 0x6099f26485e7cb3bull, 0x6e7537d2fb73d9beull},
        {"random 3", [] { return MakeScenario(3, false, kHalfLength); }, 0xde3b7920add8d91dull, 0xd81aa03915ed1abfull},
        {"random 4", [] { return MakeScenario(4, false, kHalfLength); }, 0xf0068e9242ceafd5ull, 0xce86665a53912c4bull},
        {"random 5", [] { return MakeScenario(5, false, kHalfLength); }, 0x4edaf520df5fccf4ull, 0x40a256b943880c82ull},
        {"random 6", [] { return MakeScenario(6, false, kHalfLength); }, 0xbdb9b90823b7a11cull, 0x2c2a9163ab007ca8ull},
        {"wild 1001", [] { return MakeScenario(1001, true, kHalfLength); }, 0x8012fcab9ddee781ull,
         0x478658e55acd14d9ull},
        {"wild 1002", [] { return MakeScenario(1002, true, kHalfLength); }, 0x36665a200da9afe1ull,
         0x36665a200da9afe1ull},
        {"wild 1003", [] { return MakeScenario(1003, true, kHalfLength); }, 0x7694323e01979082ull,
         0xd13a31ad6a8ba604ull},
        {"filter pole", [] { return MakePoleScenario(); }, 0x82e56e4926ab77fdull, 0x82e56e4926ab77fdull},
        {"silence, blocks of 1", [] { return MakeSilenceScenario(44100.0, {1}, 0.8, 0.5); }, 0x612b8cd552995b9bull,
         0x05e4c6a2e1bc4df8ull},
        {"silence, mixed blocks",
         [] {
             return MakeSilenceScenario(44100.0, {7, 64, 3}, 0.8, 1.0);
         },
         0xc0c8cb351bb8b6b6ull, 0x23d06ee902126be0ull},
        {"silence, negative volume", [] { return MakeSilenceScenario(48000.0, {64}, -0.6, 0.7); },
         0x670477083fb98421ull, 0xe5f85b37fb8b709eull},
        {"silence, NaN volume", [=] { return MakeSilenceScenario(44100.0, {512}, nan, 0.5); }, 0x67d874b8823b7cdfull,
         0x3b9814ea7727bedfull},
        {"silence, NaN air",
         [=] {
             return MakeSilenceScenario(96000.0, {2048, 100}, 0.3, nan);
         },
         0xfe823e0017ce9825ull, 0xfe823e0017ce9825ull},
    };
    std::string table;
    for (const Render& render : renders) {
        const Scenario scenario = render.make();
        for (SimdLevel level : SupportedSimdLevels()) {
            const uint64_t checksum = Checksum(PlayScenario(scenario, level));
            if (level == SupportedSimdLevels().front()) {
                char line[128];
                std::snprintf(line, sizeof line, "  %s: 0x%016" PRIx64 "\n", render.name, checksum);
                table += line;
            }
#if defined(_WIN32)
            const uint64_t saved = render.windows;
#else
            const uint64_t saved = render.glibc;
#endif
            EXPECT_EQ(checksum, saved) << render.name << " at " << SimdLevelName(level);
        }
    }
    if (HasFailure())
        std::printf("checksums of this build:\n%s", table.c_str());
}
