// LV2 hosts call in any order too: seeded random scripts of an LV2 host's
// actions (the player FuzzLv2Calls uses) against the adapter.
#include "tests/host/Lv2CallScript.h"
#include "tests/instrument/AllocationCounter.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

constexpr int kScripts = instrumenttest::kSanitizedBuild ? 30 : 150;
constexpr size_t kScriptBytes = 500;

TEST(Lv2CallSequence, RandomLv2HostsKeepEveryPromise)
{
    hosttest::Lv2CallScript script(&instrumenttest::AllocationsCounted);
    instrumenttest::CountAllocations(true);
    for (int seed = 1; seed <= kScripts; ++seed) {
        std::mt19937 random(static_cast<unsigned>(seed));
        std::vector<uint8_t> bytes(kScriptBytes);
        for (uint8_t& b : bytes)
            b = static_cast<uint8_t>(random());
        ASSERT_EQ(script.Play(bytes.data(), bytes.size()), "") << "seed " << seed;
    }
    instrumenttest::CountAllocations(false);
}

}  // namespace
