// The audio path must never allocate: a host calls it on a real-time thread.
#include "tests/instrument/InstrumentFixture.h"
#include "tests/instrument/MidiBatch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

using namespace orv::engine;
using namespace orv::framework;
using namespace orv::instrument;
using namespace orv::platform;

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

// Under a sanitizer every block costs many times more; a tenth of the blocks
// still walks every path below (all notes, controllers, the pedal, each
// parameter).
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define ORV_SANITIZED_BUILD 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define ORV_SANITIZED_BUILD 1
#endif
#if defined(ORV_SANITIZED_BUILD)
constexpr int kBlocks = 400;
#else
constexpr int kBlocks = 4000;
#endif
}  // namespace

// These replace the program's allocator, so malloc and free do pair up; GCC
// cannot see that once the calls are inlined into callers.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(size_t size)
{
    if (counting.load(std::memory_order_relaxed))
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
    operator delete(memory);
}
void operator delete[](void* memory, size_t) noexcept
{
    operator delete[](memory);
}

TEST(RealtimeSafety, ProcessingWithNotesControllersAndAutomationAllocatesNothing)
{
    InstrumentFixture fixture;
    ORV& plugin = *fixture.plugin;
    vst::AEffect* effect = fixture.effect;
    // A learned controller, so the render loop also moves parameters.
    plugin.ArmMidiLearn(true, false);
    MidiBatch<8> learn;
    learn.Add(0, 0xB0, 74, 10);
    fixture.Dispatch(vst::effProcessEvents, 0, 0, learn.Events());
    effect->setParameter(effect, 3, 0.5f);
    ASSERT_FALSE(plugin.LearnArmed());

    std::vector<float> left(256), right(256);
    float* outputs[2] = {left.data(), right.data()};
    std::vector<double> leftD(256), rightD(256);
    double* outputsD[2] = {leftD.data(), rightD.data()};
    MidiBatch<16> batch;

    counting = true;
    for (int block = 0; block < kBlocks; ++block) {
        batch.Clear();
        const uint8_t note = static_cast<uint8_t>(36 + (block * 7) % 60);
        batch.Add(block % 256, 0x90, note, 100);
        batch.Add((block * 3) % 256, 0x80, static_cast<uint8_t>(36 + (block * 5) % 60), 0);
        batch.Add(17, 0xB0, 1, static_cast<uint8_t>(block % 128));
        batch.Add(33, 0xB0, 74, static_cast<uint8_t>((block * 13) % 128));
        batch.Add(40, 0xE0, 0, static_cast<uint8_t>(block % 128));
        if (block % 50 == 0)
            batch.Add(50, 0xB0, 64, block % 100 == 0 ? 127 : 0);
        fixture.Dispatch(vst::effProcessEvents, 0, 0, batch.Events());
        effect->setParameter(effect, block % 12, static_cast<float>((block % 10) / 9.0));
        if (block % 2 == 0)
            effect->processReplacing(effect, nullptr, outputs, 256);
        else
            effect->processDoubleReplacing(effect, nullptr, outputsD, 256);
    }
    counting = false;
    EXPECT_EQ(allocations.load(), 0);
}
