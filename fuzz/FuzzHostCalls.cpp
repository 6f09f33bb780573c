// A host that calls in any order: the input is a script of host actions on
// fresh instances (tests/host/HostCallScript), checked after every step.
// Processing must not allocate, so this program counts allocations.
#include "tests/host/HostCallScript.h"

#include "instrument/OrvEffect.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <sanitizer/allocator_interface.h>

namespace {
std::atomic<long> allocations{0};

// Every allocation of the process, counted through the sanitizer's hooks
// (a fuzz target always runs under AddressSanitizer).
void CountAllocation(const volatile void*, size_t)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
}
void IgnoreRelease(const volatile void*) {}

const int hooksInstalled = __sanitizer_install_malloc_and_free_hooks(&CountAllocation, &IgnoreRelease);
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static hosttest::HostCallScript script(&orv::instrument::CreateOrvEffect,
                                           [] { return allocations.load(std::memory_order_relaxed); });
    const std::string failure = script.Play(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "FuzzHostCalls: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
