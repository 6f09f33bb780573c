// The three processing callbacks seen from the host: what ends up in its
// buffers, what it is asked, and that odd block lengths are safe.
#include "tests/host/HostedPlugin.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

using namespace hosttest;

namespace {

// Host-owned output buffers of exactly the requested length, so that a write
// past the end is caught by the address sanitizer.
template <typename Sample>
struct HostBuffers {
    HostBuffers(size_t channels, size_t frames, Sample fill) : samples(channels, std::vector<Sample>(frames, fill))
    {
        for (auto& channel : samples)
            pointers.push_back(channel.data());
    }

    bool AllEqual(Sample expected) const
    {
        for (const auto& channel : samples)
            for (Sample s : channel)
                if (!(s == expected))
                    return false;
        return true;
    }

    std::vector<std::vector<Sample>> samples;
    std::vector<Sample*> pointers;
};

using FloatBuffers = HostBuffers<float>;
using DoubleBuffers = HostBuffers<double>;

}  // namespace

TEST(Processing, EveryCallbackFirstTellsTheHostItWantsMidi)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    plugin.Start();
    vst::AEffect* effect = plugin.effect;
    FloatBuffers floats(2, 64, 0.0f);
    DoubleBuffers doubles(2, 64, 0.0);

    auto expectWantMidiFirst = [&plugin](const char* path) {
        const auto calls = plugin.host.Calls();
        ASSERT_FALSE(calls.empty()) << path;
        EXPECT_EQ(calls[0].opcode, vst::audioMasterWantMidi) << path;
        EXPECT_EQ(calls[0].index, 0) << path;
        EXPECT_EQ(calls[0].value, 0) << path;
        EXPECT_FALSE(calls[0].hadPtr) << path;
        EXPECT_EQ(plugin.host.CountOf(vst::audioMasterWantMidi), 1u) << path;
        plugin.host.ClearCalls();
    };
    for (int block = 0; block < 3; ++block) {
        plugin.host.ClearCalls();
        effect->processReplacing(effect, nullptr, floats.pointers.data(), 64);
        expectWantMidiFirst("replacing");
        effect->process(effect, nullptr, floats.pointers.data(), 64);
        expectWantMidiFirst("accumulating");
        effect->processDoubleReplacing(effect, nullptr, doubles.pointers.data(), 64);
        expectWantMidiFirst("double replacing");
    }
}

TEST(Processing, ReplacingOverwritesWhateverTheHostLeftInItsBuffers)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    plugin.Start();
    vst::AEffect* effect = plugin.effect;

    FloatBuffers floats(2, 64, std::numeric_limits<float>::quiet_NaN());
    effect->processReplacing(effect, nullptr, floats.pointers.data(), 64);
    EXPECT_TRUE(floats.AllEqual(0.0f));

    DoubleBuffers doubles(2, 64, 7.0);
    effect->processDoubleReplacing(effect, nullptr, doubles.pointers.data(), 64);
    EXPECT_TRUE(doubles.AllEqual(0.0));
}

TEST(Processing, AccumulatingAddsSilenceToWhatTheHostHas)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    plugin.Start();
    FloatBuffers floats(2, 64, 0.25f);
    plugin.effect->process(plugin.effect, nullptr, floats.pointers.data(), 64);
    EXPECT_TRUE(floats.AllEqual(0.25f));
}

TEST(Processing, EmptyOrNegativeBlocksWriteNothing)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    plugin.Start();
    vst::AEffect* effect = plugin.effect;
    FloatBuffers floats(2, 16, 7.0f);
    DoubleBuffers doubles(2, 16, 7.0);
    for (int32_t frames : {0, -1, -64, std::numeric_limits<int32_t>::min()}) {
        effect->processReplacing(effect, nullptr, floats.pointers.data(), frames);
        effect->process(effect, nullptr, floats.pointers.data(), frames);
        effect->processDoubleReplacing(effect, nullptr, doubles.pointers.data(), frames);
    }
    EXPECT_TRUE(floats.AllEqual(7.0f));
    EXPECT_TRUE(doubles.AllEqual(7.0));
}

TEST(Processing, BlocksLongerThanTheAnnouncedBlockSizeAreRenderedWhole)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    vst::AEffect* effect = plugin.effect;
    plugin.Dispatch(vst::effOpen);
    plugin.Dispatch(vst::effMainsChanged, 0, 1);

    // Before any block size (a host that never sends one), after a small one,
    // and after a zero one.
    for (intptr_t announced : {intptr_t{-1}, intptr_t{64}, intptr_t{0}}) {
        if (announced >= 0)
            plugin.Dispatch(vst::effSetBlockSize, 0, announced);
        for (int32_t frames : {2048, 4096, 4097}) {
            const size_t n = static_cast<size_t>(frames);
            FloatBuffers replaced(2, n, 7.0f);
            effect->processReplacing(effect, nullptr, replaced.pointers.data(), frames);
            EXPECT_TRUE(replaced.AllEqual(0.0f)) << announced << " " << frames;
            FloatBuffers added(2, n, 0.5f);
            effect->process(effect, nullptr, added.pointers.data(), frames);
            EXPECT_TRUE(added.AllEqual(0.5f)) << announced << " " << frames;
            DoubleBuffers doubles(2, n, 7.0);
            effect->processDoubleReplacing(effect, nullptr, doubles.pointers.data(), frames);
            EXPECT_TRUE(doubles.AllEqual(0.0)) << announced << " " << frames;
        }
    }
}

TEST(Processing, AbsurdBlockSizesAreHarmless)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    plugin.Start();
    for (intptr_t size : {intptr_t{-1}, intptr_t{1} << 30, intptr_t{INT32_MAX}}) {
        EXPECT_EQ(plugin.Dispatch(vst::effSetBlockSize, 0, size), 0);
        FloatBuffers floats(2, 128, 7.0f);
        plugin.effect->processReplacing(plugin.effect, nullptr, floats.pointers.data(), 128);
        EXPECT_TRUE(floats.AllEqual(0.0f)) << size;
    }
}

TEST(Processing, AnInstrumentNeedsNoInputArray)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    plugin.Start();
    vst::AEffect* effect = plugin.effect;
    // A host with zero inputs may pass null or an empty array.
    std::vector<float*> noFloatInputs;
    std::vector<double*> noDoubleInputs;
    FloatBuffers floats(2, 64, 7.0f);
    DoubleBuffers doubles(2, 64, 7.0);
    effect->processReplacing(effect, noFloatInputs.data(), floats.pointers.data(), 64);
    effect->processDoubleReplacing(effect, noDoubleInputs.data(), doubles.pointers.data(), 64);
    effect->process(effect, nullptr, floats.pointers.data(), 64);
    EXPECT_TRUE(floats.AllEqual(0.0f));
    EXPECT_TRUE(doubles.AllEqual(0.0));
}

TEST(Processing, AMonoOutputArrangementUsesOnlyOneHostBuffer)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    plugin.Start();
    vst::AEffect* effect = plugin.effect;
    vst::VstSpeakerArrangement mono{};
    mono.type = vst::kSpeakerArrMono;
    mono.numChannels = 1;
    ASSERT_EQ(plugin.Dispatch(vst::effSetSpeakerArrangement, 0, 0, &mono), 1);

    // The host then passes an output array of one entry.
    FloatBuffers floats(1, 64, 7.0f);
    effect->processReplacing(effect, nullptr, floats.pointers.data(), 64);
    effect->process(effect, nullptr, floats.pointers.data(), 64);
    DoubleBuffers doubles(1, 64, 7.0);
    effect->processDoubleReplacing(effect, nullptr, doubles.pointers.data(), 64);
    EXPECT_TRUE(floats.AllEqual(0.0f));
    EXPECT_TRUE(doubles.AllEqual(0.0));

    // More channels than the plug-in has: it still uses its two.
    vst::VstSpeakerArrangement wide{};
    wide.type = vst::kSpeakerArrUserDefined;
    wide.numChannels = 8;
    ASSERT_EQ(plugin.Dispatch(vst::effSetSpeakerArrangement, 0, 0, &wide), 1);
    FloatBuffers stereo(2, 64, 7.0f);
    effect->processReplacing(effect, nullptr, stereo.pointers.data(), 64);
    EXPECT_TRUE(stereo.AllEqual(0.0f));
}

// Beyond the largest block the plug-in renders, a host should still get
// silence, written only into the buffers it passed. Fails today: the float
// path walks numOutputs host pointers instead of the connected channels, and
// the double path writes nothing.
TEST(Processing, BlocksBeyondTheLargestRenderedAreSilencedWithinTheHostsBuffers)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    plugin.Start();
    vst::AEffect* effect = plugin.effect;
    const int32_t frames = (1 << 20) + 1;
    DoubleBuffers doubles(2, frames, 7.0);
    effect->processDoubleReplacing(effect, nullptr, doubles.pointers.data(), frames);
    EXPECT_TRUE(doubles.AllEqual(0.0));

    vst::VstSpeakerArrangement mono{};
    mono.numChannels = 1;
    plugin.Dispatch(vst::effSetSpeakerArrangement, 0, 0, &mono);
    FloatBuffers floats(1, frames, 7.0f);
    effect->processReplacing(effect, nullptr, floats.pointers.data(), frames);
    EXPECT_TRUE(floats.AllEqual(0.0f));
}
