// An LV2 host that calls in any order: the input is a script of an LV2
// host's actions on the adapter (tests/host/Lv2CallScript), checked after
// every step. run() must not allocate, so this program counts allocations.
#include "tests/host/Lv2CallScript.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}
void* operator new[](size_t size)
{
    return operator new(size);
}
void operator delete(void* memory) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, size_t) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, size_t) noexcept
{
    std::free(memory);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static hosttest::Lv2CallScript script([] { return allocations.load(std::memory_order_relaxed); });
    const std::string failure = script.Play(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "FuzzLv2Calls: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
