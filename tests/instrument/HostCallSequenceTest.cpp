// Hosts call in any order. Seeded random scripts of host actions (the same
// player the libFuzzer target FuzzHostCalls uses) against the instrument,
// with its promises checked after every step: in range, finite and bounded,
// no allocation while processing, refused chunks change nothing, and a bank
// carries into a second instance.
#include "tests/host/HostCallScript.h"
#include "tests/host/ScriptReader.h"
#include "tests/instrument/AllocationCounter.h"

#include "instrument/OrvEffect.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kScripts = instrumenttest::kSanitizedBuild ? 40 : 200;
constexpr size_t kScriptBytes = 600;

TEST(HostCallSequence, RandomHostsKeepEveryPromise)
{
    hosttest::HostCallScript script(&orv::instrument::CreateOrvEffect, &instrumenttest::AllocationsCounted);
    instrumenttest::CountAllocations(true);
    for (int seed = 1; seed <= kScripts; ++seed) {
        const std::vector<uint8_t> bytes = hosttest::SeededScript(static_cast<unsigned>(seed), kScriptBytes);
        const std::string failure = script.Play(bytes.data(), bytes.size());
        ASSERT_EQ(failure, "") << "seed " << seed;
    }
    instrumenttest::CountAllocations(false);
}

}  // namespace
