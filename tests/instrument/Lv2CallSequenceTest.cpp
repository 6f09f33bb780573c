// LV2 hosts call in any order too: seeded random scripts of an LV2 host's
// actions (the player FuzzLv2Calls uses) against the adapter.
#include "tests/host/Lv2CallScript.h"
#include "tests/host/ScriptReader.h"
#include "tests/instrument/AllocationCounter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kScripts = instrumenttest::kSanitizedBuild ? 30 : 150;
constexpr size_t kScriptBytes = 500;

TEST(Lv2CallSequence, RandomLv2HostsKeepEveryPromise)
{
    hosttest::Lv2CallScript script(&instrumenttest::AllocationsCounted);
    instrumenttest::CountAllocations(true);
    for (int seed = 1; seed <= kScripts; ++seed) {
        const std::vector<uint8_t> bytes = hosttest::SeededScript(static_cast<unsigned>(seed), kScriptBytes);
        ASSERT_EQ(script.Play(bytes.data(), bytes.size()), "") << "seed " << seed;
    }
    instrumenttest::CountAllocations(false);
}

}  // namespace
