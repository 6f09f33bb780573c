// The process's allocations so far, counted through the sanitizer's malloc
// hooks (a fuzz target always runs under AddressSanitizer): what the host-call
// targets check their processing calls against. The hooks go in on the first
// call, before it reads the count.
#pragma once

#include <sanitizer/allocator_interface.h>

#include <atomic>
#include <cstddef>

inline std::atomic<long>& FuzzAllocationCount()
{
    static std::atomic<long> count{0};
    return count;
}

inline long FuzzAllocations()
{
    static const int hooked = __sanitizer_install_malloc_and_free_hooks(
        [](const volatile void*, size_t) { FuzzAllocationCount().fetch_add(1, std::memory_order_relaxed); },
        [](const volatile void*) {});
    static_cast<void>(hooked);
    return FuzzAllocationCount().load(std::memory_order_relaxed);
}
