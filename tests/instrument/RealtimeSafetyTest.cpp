// The audio path must never allocate: a host calls it on a real-time thread.
#include "tests/instrument/AllocationCounter.h"
#include "tests/instrument/InstrumentFixture.h"
#include "tests/instrument/MidiBatch.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orv::engine;
using namespace orv::framework;
using namespace orv::instrument;
using namespace orv::platform;

namespace {
// A tenth of the blocks under a sanitizer.
constexpr int kBlocks = instrumenttest::kSanitizedBuild ? 400 : 4000;
}  // namespace

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

    instrumenttest::CountAllocations(true);
    const long before = instrumenttest::AllocationsCounted();
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
    instrumenttest::CountAllocations(false);
    EXPECT_EQ(instrumenttest::AllocationsCounted(), before);
}
