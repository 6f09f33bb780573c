// An LV2 host that calls in any order: the input is a script of an LV2
// host's actions on the adapter (tests/host/Lv2CallScript), checked after
// every step.
#include "fuzz/FuzzAllocations.h"
#include "tests/host/Lv2CallScript.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static hosttest::Lv2CallScript script(&FuzzAllocations);
    const std::string failure = script.Play(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "FuzzLv2Calls: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
