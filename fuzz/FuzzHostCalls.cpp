// A host that calls in any order: the input is a script of host actions on
// fresh instances (tests/host/HostCallScript), checked after every step.
#include "fuzz/FuzzAllocations.h"
#include "tests/host/HostCallScript.h"

#include "instrument/OrvEffect.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static hosttest::HostCallScript script(&orv::instrument::CreateOrvEffect, &FuzzAllocations);
    const std::string failure = script.Play(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "FuzzHostCalls: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
