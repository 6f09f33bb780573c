// Instances over their lifetime: created and closed in numbers, side by side,
// and called from an audio thread and a user-interface thread at once.
#include "tests/host/EventBatch.h"
#include "tests/host/HostedPlugin.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

using namespace hosttest;

namespace {

// A short session as a host runs it, from open to close.
void RunSession(HostedPlugin& plugin, int blocks)
{
    plugin.Start();
    std::array<float, 64> left{}, right{};
    float* outputs[] = {left.data(), right.data()};
    EventBatch batch;
    batch.Midi(0, 0x90, 60, 100).Midi(32, 0x80, 60, 0);
    for (int block = 0; block < blocks; ++block) {
        plugin.Dispatch(vst::effProcessEvents, 0, 0, batch.Events());
        plugin.effect->processReplacing(plugin.effect, nullptr, outputs, 64);
    }
    plugin.Dispatch(vst::effMainsChanged, 0, 0);
    plugin.Close();
}

}  // namespace

TEST(Lifecycle, ManyInstancesOpenAndCloseCleanly)
{
    // Leaks and use after free show under the sanitizers.
    for (int i = 0; i < 100; ++i) {
        HostedPlugin plugin;
        ASSERT_LOADED(plugin);
        RunSession(plugin, 4);
        EXPECT_EQ(plugin.effect, nullptr);
    }
}

TEST(Lifecycle, ClosingWithoutEverOpeningIsFine)
{
    for (int i = 0; i < 10; ++i) {
        HostedPlugin plugin;
        ASSERT_LOADED(plugin);
        EXPECT_EQ(plugin.Dispatch(vst::effClose), 0);
        plugin.effect = nullptr;
    }
}

TEST(Lifecycle, InstancesSideBySideKeepTheirOwnState)
{
    HostedPlugin a, b;
    ASSERT_LOADED(a);
    ASSERT_LOADED(b);
    a.host.productString = "REAPER";
    b.host.productString = "";
    a.Start(48000.0f, 32);
    b.Start(44100.0f, 512);
    // Each instance asks its own host, once.
    EXPECT_EQ(a.host.CountOf(vst::audioMasterGetVendorVersion), 1u);
    EXPECT_EQ(b.host.CountOf(vst::audioMasterGetVendorVersion), 0u);
    for (const HostCall& call : a.host.Calls())
        EXPECT_EQ(call.effect, a.effect);
    for (const HostCall& call : b.host.Calls())
        EXPECT_EQ(call.effect, b.effect);

    float bValues[12];
    for (int32_t i = 0; i < 12; ++i)
        bValues[i] = b.effect->getParameter(b.effect, i);
    for (int32_t i = 0; i < 12; ++i)
        a.effect->setParameter(a.effect, i, bValues[i] < 0.5f ? 1.0f : 0.0f);
    a.Dispatch(vst::effSetProgram, 0, 9);
    char renamed[] = "Renamed in A";
    a.Dispatch(vst::effSetProgramName, 0, 0, renamed);

    EXPECT_EQ(b.Dispatch(vst::effGetProgram), 0);
    for (int32_t i = 0; i < 12; ++i)
        EXPECT_EQ(b.effect->getParameter(b.effect, i), bValues[i]) << i;
    char name[64] = {};
    b.Dispatch(vst::effGetProgramNameIndexed, 9, 0, name);
    EXPECT_STRNE(name, renamed);

    // Closing one leaves the other working.
    a.Close();
    std::array<float, 512> left{}, right{};
    left.fill(7.0f);
    float* outputs[] = {left.data(), right.data()};
    b.effect->processReplacing(b.effect, nullptr, outputs, 512);
    EXPECT_EQ(left[511], 0.0f);
    EXPECT_EQ(b.Dispatch(vst::effGetVendorVersion), 20000);
}

TEST(Lifecycle, AudioAndUserInterfaceThreadsMayCallAtOnce)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    plugin.Start(44100.0f, 256);
    vst::AEffect* effect = plugin.effect;
    std::atomic<bool> audioDone{false};

    std::thread audio([effect, &audioDone] {
        std::vector<float> left(4096), right(4096);
        std::vector<double> leftD(4096), rightD(4096);
        float* outputs[] = {left.data(), right.data()};
        double* outputsD[] = {leftD.data(), rightD.data()};
        EventBatch batch;
        batch.Midi(0, 0x90, 60, 100).Midi(10, 0xB0, 1, 30).Midi(20, 0x80, 60, 0);
        for (int block = 0; block < 3000; ++block) {
            const int32_t frames = block % 50 == 0 ? 4096 : 256;
            effect->dispatcher(effect, vst::effProcessEvents, 0, 0, batch.Events(), 0.0f);
            if (block % 3 == 0)
                effect->processDoubleReplacing(effect, nullptr, outputsD, frames);
            else if (block % 3 == 1)
                effect->process(effect, nullptr, outputs, frames);
            else
                effect->processReplacing(effect, nullptr, outputs, frames);
        }
        audioDone = true;
    });

    vst::VstSpeakerArrangement mono{}, stereo{};
    mono.numChannels = 1;
    stereo.numChannels = 2;
    char text[256];
    for (int i = 0; !audioDone || i < 200; ++i) {
        const int32_t index = i % 12;
        effect->setParameter(effect, index, static_cast<float>(i % 101) / 100.0f);
        (void)effect->getParameter(effect, index);
        effect->dispatcher(effect, vst::effGetParamDisplay, index, 0, text, 0.0f);
        effect->dispatcher(effect, vst::effGetProgramNameIndexed, i % 64, 0, text, 0.0f);
        effect->dispatcher(effect, vst::effSetProgram, 0, i % 64, nullptr, 0.0f);
        effect->dispatcher(effect, vst::effSetBlockSize, 0, 32 << (i % 6), nullptr, 0.0f);
        // Only the first output follows the host's buffers while mono: the
        // audio thread's second buffer is then simply not used.
        effect->dispatcher(effect, vst::effSetSpeakerArrangement, 0, 0, i % 2 ? &mono : &stereo, 0.0f);
        void* chunk = nullptr;
        effect->dispatcher(effect, vst::effGetChunk, i % 2, 0, &chunk, 0.0f);
        if (i % 50 == 0) {
            effect->dispatcher(effect, vst::effMainsChanged, 0, 0, nullptr, 0.0f);
            effect->dispatcher(effect, vst::effSetSampleRate, 0, 0, nullptr, i % 100 ? 48000.0f : 44100.0f);
            effect->dispatcher(effect, vst::effMainsChanged, 0, 1, nullptr, 0.0f);
        }
    }
    audio.join();
    plugin.Close();
}

TEST(Lifecycle, SeveralThreadsCreateAndCloseInstancesAtOnce)
{
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&failures] {
            for (int i = 0; i < 25; ++i) {
                HostedPlugin plugin;
                if (plugin.effect == nullptr) {
                    ++failures;
                    continue;
                }
                RunSession(plugin, 8);
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);
}
