// How the framework hands host buffers to the renderer: once per call, with
// the host's frame count, converted on the float paths and handed straight
// through on the double path.
#include "tests/framework/RecordingPlugin.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orv::framework;

using namespace hosttest;

namespace {

template <typename Sample>
struct Buffers {
    Buffers(size_t channels, size_t frames, Sample fill) : samples(channels, std::vector<Sample>(frames, fill))
    {
        for (auto& channel : samples)
            pointers.push_back(channel.data());
    }
    std::vector<std::vector<Sample>> samples;
    std::vector<Sample*> pointers;
};

bool AllEqual(const std::vector<float>& samples, float expected)
{
    for (float s : samples)
        if (s != expected)
            return false;
    return true;
}

}  // namespace

TEST(RenderFrame, RendersOncePerCallWithTheHostsFrameCount)
{
    ScriptedHost host;
    RecordingPlugin plugin(host);
    vst::AEffect* effect = plugin.Effect();
    plugin.Dispatch(vst::effSetBlockSize, 0, 64);
    Buffers<float> floats(2, 4096, 0.0f);
    Buffers<double> doubles(2, 4096, 0.0);

    const int32_t lengths[] = {64, 1, 0, 4096, 63};
    for (int32_t frames : lengths) {
        effect->processReplacing(effect, nullptr, floats.pointers.data(), frames);
        effect->process(effect, nullptr, floats.pointers.data(), frames);
        effect->processDoubleReplacing(effect, nullptr, doubles.pointers.data(), frames);
    }
    ASSERT_EQ(plugin.renders.size(), 3 * std::size(lengths));
    for (size_t i = 0; i < plugin.renders.size(); ++i)
        EXPECT_EQ(plugin.renders[i].frames, lengths[i / 3]) << i;
}

TEST(RenderFrame, DoublePathHandsTheHostsBuffersStraightThrough)
{
    ScriptedHost host;
    RecordingPlugin plugin(host, "2-2");
    vst::AEffect* effect = plugin.Effect();
    Buffers<double> in(2, 32, 0.125), out(2, 32, 7.0);
    effect->processDoubleReplacing(effect, in.pointers.data(), out.pointers.data(), 32);

    ASSERT_EQ(plugin.renders.size(), 1u);
    const auto& render = plugin.renders[0];
    EXPECT_EQ(render.inputs, in.pointers);
    EXPECT_EQ(render.outputs, out.pointers);
    EXPECT_EQ(out.samples[0], std::vector<double>(32, 0.5));
    EXPECT_EQ(out.samples[1], std::vector<double>(32, 1.0));
}

TEST(RenderFrame, FloatPathsConvertInBothDirections)
{
    ScriptedHost host;
    RecordingPlugin plugin(host, "2-2");
    vst::AEffect* effect = plugin.Effect();
    plugin.Dispatch(vst::effSetBlockSize, 0, 16);

    // Longer than the block size: the renderer still sees every frame.
    Buffers<float> in(2, 100, 0.25f), out(2, 100, 7.0f);
    in.samples[1].assign(100, -0.75f);
    effect->processReplacing(effect, in.pointers.data(), out.pointers.data(), 100);
    ASSERT_EQ(plugin.renders.size(), 1u);
    const auto& render = plugin.renders[0];
    for (size_t c = 0; c < 2; ++c) {
        EXPECT_NE(render.inputs[c], nullptr);
        EXPECT_NE(static_cast<void*>(render.inputs[c]), static_cast<void*>(in.pointers[c]));
        EXPECT_NE(static_cast<void*>(render.outputs[c]), static_cast<void*>(out.pointers[c]));
    }
    EXPECT_EQ(render.inputSamples[0], std::vector<double>(100, 0.25));
    EXPECT_EQ(render.inputSamples[1], std::vector<double>(100, -0.75));
    EXPECT_TRUE(AllEqual(out.samples[0], 0.5f));
    EXPECT_TRUE(AllEqual(out.samples[1], 1.0f));

    // Accumulating adds the render to what the host's buffer holds.
    Buffers<float> mix(2, 100, 0.25f);
    effect->process(effect, in.pointers.data(), mix.pointers.data(), 100);
    EXPECT_TRUE(AllEqual(mix.samples[0], 0.75f));
    EXPECT_TRUE(AllEqual(mix.samples[1], 1.25f));
}

TEST(RenderFrame, AnOutputTheHostDoesNotTakeGetsNoHostBuffer)
{
    ScriptedHost host;
    RecordingPlugin plugin(host);
    vst::AEffect* effect = plugin.Effect();
    vst::VstSpeakerArrangement mono{};
    mono.numChannels = 1;
    plugin.Dispatch(vst::effSetSpeakerArrangement, 0, 0, &mono);

    // The host then passes one output; the second channel renders elsewhere.
    Buffers<float> floats(1, 32, 7.0f);
    effect->processReplacing(effect, nullptr, floats.pointers.data(), 32);
    EXPECT_TRUE(AllEqual(floats.samples[0], 0.5f));
    Buffers<double> doubles(1, 32, 7.0);
    effect->processDoubleReplacing(effect, nullptr, doubles.pointers.data(), 32);
    EXPECT_EQ(doubles.samples[0], std::vector<double>(32, 0.5));
    for (const auto& render : plugin.renders) {
        ASSERT_EQ(render.outputs.size(), 2u);
        EXPECT_NE(render.outputs[1], nullptr) << "a place to render the unused channel";
        EXPECT_NE(render.outputs[1], doubles.pointers[0]);
        EXPECT_NE(render.outputs[1], render.outputs[0]);
    }

    // Reconnected, both host buffers are used again.
    vst::VstSpeakerArrangement stereo{};
    stereo.numChannels = 2;
    plugin.Dispatch(vst::effSetSpeakerArrangement, 0, 0, &stereo);
    Buffers<float> both(2, 32, 7.0f);
    effect->processReplacing(effect, nullptr, both.pointers.data(), 32);
    EXPECT_TRUE(AllEqual(both.samples[0], 0.5f));
    EXPECT_TRUE(AllEqual(both.samples[1], 1.0f));
}

TEST(RenderFrame, AnUnusedOutputKeepsAPlaceToRenderAcrossBlockSizeChanges)
{
    ScriptedHost host;
    RecordingPlugin plugin(host);
    vst::AEffect* effect = plugin.Effect();
    vst::VstSpeakerArrangement mono{};
    mono.numChannels = 1;
    plugin.Dispatch(vst::effSetSpeakerArrangement, 0, 0, &mono);

    // A host that briefly announces block size 0 before its real one.
    plugin.Dispatch(vst::effSetBlockSize, 0, 0);
    Buffers<float> floats(1, 32, 7.0f);
    effect->processReplacing(effect, nullptr, floats.pointers.data(), 32);
    plugin.Dispatch(vst::effSetBlockSize, 0, 0);
    plugin.Dispatch(vst::effSetBlockSize, 0, 64);
    effect->processReplacing(effect, nullptr, floats.pointers.data(), 32);
    ASSERT_EQ(plugin.renders.size(), 2u);
    for (const auto& render : plugin.renders) {
        EXPECT_NE(render.outputs[1], nullptr);
    }
    EXPECT_TRUE(AllEqual(floats.samples[0], 0.5f));
}

TEST(RenderFrame, TheNextConnectedOutputTakesTheHostBufferOfAnUnconnectedOne)
{
    ScriptedHost host;
    RecordingPlugin plugin(host, "0-3");
    vst::AEffect* effect = plugin.Effect();
    plugin.SetOutputConnected(0, false);

    Buffers<float> floats(2, 16, 7.0f);
    effect->processReplacing(effect, nullptr, floats.pointers.data(), 16);
    EXPECT_TRUE(AllEqual(floats.samples[0], 1.0f));  // channel 1
    EXPECT_TRUE(AllEqual(floats.samples[1], 1.5f));  // channel 2

    Buffers<double> doubles(2, 16, 7.0);
    effect->processDoubleReplacing(effect, nullptr, doubles.pointers.data(), 16);
    const auto& render = plugin.renders.back();
    EXPECT_EQ(render.outputs[1], doubles.pointers[0]);
    EXPECT_EQ(render.outputs[2], doubles.pointers[1]);
    EXPECT_NE(render.outputs[0], doubles.pointers[0]);
    EXPECT_NE(render.outputs[0], doubles.pointers[1]);
}

TEST(RenderFrame, AnInputTheHostDoesNotFeedReadsSilenceNotTheHostArray)
{
    ScriptedHost host;
    RecordingPlugin plugin(host, "2-2");
    vst::AEffect* effect = plugin.Effect();
    vst::VstSpeakerArrangement monoIn{}, stereoOut{};
    monoIn.numChannels = 1;
    stereoOut.numChannels = 2;
    plugin.Dispatch(vst::effSetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&monoIn), &stereoOut);

    Buffers<float> in(1, 32, 0.25f), out(2, 32, 0.0f);
    effect->processReplacing(effect, in.pointers.data(), out.pointers.data(), 32);
    const auto& render = plugin.renders.back();
    EXPECT_EQ(render.inputSamples[0], std::vector<double>(32, 0.25));
    EXPECT_EQ(render.inputSamples[1], std::vector<double>(32, 0.0));
}
