// A host's three threads at once: the user interface switching, copying,
// pasting and initialising programs and arming MIDI learn; automation setting
// parameters; audio rendering with MIDI. Run under ThreadSanitizer in CI.
#include "tests/instrument/InstrumentFixture.h"
#include "tests/instrument/MidiBatch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace orv::engine;
using namespace orv::framework;
using namespace orv::instrument;
using namespace orv::platform;

TEST(Threads, UserInterfaceAutomationAndAudioThreadsRunTogether)
{
    InstrumentFixture fixture;
    ORV& plugin = *fixture.plugin;
    vst::AEffect* effect = fixture.effect;
    std::atomic<bool> running{true};

    std::thread userInterface([&] {
        for (int i = 0; running && i < 300; ++i) {
            plugin.SwitchProgram(i % 64);
            plugin.CopyProgram();
            plugin.PasteProgram();
            if (i % 7 == 0)
                plugin.InitializeProgram();
            if (i % 5 == 0)
                plugin.ArmMidiLearn(true, i % 10 == 0);
            char name[64];
            fixture.Dispatch(vst::effGetProgramNameIndexed, i % 64, 0, name);
            void* chunk = nullptr;
            fixture.Dispatch(vst::effGetChunk, 1, 0, &chunk);
        }
    });
    std::thread automation([&] {
        for (int i = 0; running && i < 3000; ++i) {
            effect->setParameter(effect, i % 12, static_cast<float>((i % 17) / 16.0));
            effect->getParameter(effect, (i + 5) % 12);
        }
    });
    std::thread audio([&] {
        std::vector<float> left(128), right(128);
        float* outputs[2] = {left.data(), right.data()};
        MidiBatch<8> batch;
        for (int block = 0; block < 1500; ++block) {
            batch.Clear();
            batch.Add(0, 0x90, static_cast<uint8_t>(40 + block % 40), 100);
            batch.Add(64, 0x80, static_cast<uint8_t>(40 + (block + 20) % 40), 0);
            batch.Add(10, 0xB0, static_cast<uint8_t>(20 + block % 4), static_cast<uint8_t>(block % 128));
            if (block % 100 == 0)
                batch.Add(90, 0xC0, static_cast<uint8_t>(block % 64), 0);
            fixture.Dispatch(vst::effProcessEvents, 0, 0, batch.Events());
            effect->processReplacing(effect, nullptr, outputs, 128);
        }
    });
    audio.join();
    automation.join();
    running = false;
    userInterface.join();

    for (int i = 0; i < 12; ++i) {
        const float value = effect->getParameter(effect, i);
        EXPECT_GE(value, 0.0f);
        EXPECT_LE(value, 1.0f);
    }
}
