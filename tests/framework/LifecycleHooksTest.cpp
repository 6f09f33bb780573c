// The instrument's hooks around opening, rate and block size changes,
// suspend and resume, and changes made in the editor.
#include "tests/framework/RecordingPlugin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orv::framework;

using namespace hosttest;

namespace {

std::vector<std::string> EveryParameter()
{
    std::vector<std::string> lines;
    for (int i = 0; i < 12; ++i)
        lines.push_back("parameter " + std::to_string(i));
    return lines;
}

}  // namespace

TEST(LifecycleHooks, EveryOpenAppliesEveryParameterButIdentifiesOnce)
{
    ScriptedHost host;
    host.productString = "REAPER";
    RecordingPlugin plugin(host);
    plugin.Dispatch(vst::effOpen);
    plugin.Dispatch(vst::effOpen);

    std::vector<std::string> expected = {"identified 1"};
    for (int open = 0; open < 2; ++open)
        for (const std::string& line : EveryParameter())
            expected.push_back(line);
    EXPECT_EQ(plugin.log, expected);
}

TEST(LifecycleHooks, RateBlockSizeAndSuspendResetTheRenderer)
{
    ScriptedHost host;
    RecordingPlugin plugin(host);
    plugin.Dispatch(vst::effSetSampleRate, 0, 0, nullptr, 96000.0f);
    EXPECT_EQ(plugin.SampleRate(), 96000.0);
    plugin.Dispatch(vst::effSetBlockSize, 0, 333);
    EXPECT_EQ(plugin.BlockSize(), 333);
    plugin.Dispatch(vst::effMainsChanged, 0, 1);
    plugin.Dispatch(vst::effMainsChanged, 0, 0);
    const std::vector<std::string> expected = {"reset", "reset", "active 1", "active 0", "reset"};
    EXPECT_EQ(plugin.log, expected);
}

TEST(LifecycleHooks, EditorChangesReachBothTheHostAndTheInstrument)
{
    ScriptedHost host;
    RecordingPlugin plugin(host);
    plugin.GetParameter(3).DefineDouble("Level", 0.0, 0.0, 1.0, 0.01, 1.0);
    plugin.BeginParameterEdit(3);
    plugin.SetParameterFromEditor(3, 0.25);
    plugin.EndParameterEdit(3);
    plugin.NotifyProgramChange();

    const auto calls = host.Calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].opcode, vst::audioMasterBeginEdit);
    EXPECT_EQ(calls[0].index, 3);
    EXPECT_EQ(calls[1].opcode, vst::audioMasterAutomate);
    EXPECT_EQ(calls[1].index, 3);
    EXPECT_EQ(calls[1].opt, 0.25f);
    EXPECT_EQ(calls[2].opcode, vst::audioMasterEndEdit);
    EXPECT_EQ(calls[2].index, 3);
    EXPECT_EQ(calls[3].opcode, vst::audioMasterUpdateDisplay);
    EXPECT_EQ(plugin.log, std::vector<std::string>{"parameter 3"});
    EXPECT_FLOAT_EQ(plugin.Effect()->getParameter(plugin.Effect(), 3), 0.25f);
}

TEST(LifecycleHooks, HostsThatFeedOnlyOneStereoPairGetTheirInputsCut)
{
    // Such a host passes two input buffers to a four-input plug-in.
    ScriptedHost host;
    host.productString = "Forte 4";
    RecordingPlugin plugin(host, "4-2");
    plugin.Dispatch(vst::effOpen);
    std::vector<float> a(16, 0.25f), b(16, 0.5f), left(16), right(16);
    float* inputs[] = {a.data(), b.data()};
    float* outputs[] = {left.data(), right.data()};
    plugin.Effect()->processReplacing(plugin.Effect(), inputs, outputs, 16);
    const auto& render = plugin.renders.back();
    EXPECT_EQ(render.inputSamples[0], std::vector<double>(16, 0.25));
    EXPECT_EQ(render.inputSamples[1], std::vector<double>(16, 0.5));
    EXPECT_EQ(render.inputSamples[2], std::vector<double>(16, 0.0));
    EXPECT_EQ(plugin.Effect()->numInputs, 4);

    // Any other host feeds all four.
    ScriptedHost other;
    other.productString = "REAPER";
    RecordingPlugin full(other, "4-2");
    full.Dispatch(vst::effOpen);
    std::vector<float> c(16, 0.75f), d(16, 1.0f);
    float* four[] = {a.data(), b.data(), c.data(), d.data()};
    full.Effect()->processReplacing(full.Effect(), four, outputs, 16);
    EXPECT_EQ(full.renders.back().inputSamples[3], std::vector<double>(16, 1.0));
}

TEST(LifecycleHooks, RenderingOfflineFollowsTheHostsProcessLevel)
{
    ScriptedHost host;
    RecordingPlugin plugin(host);
    host.processLevel = vst::kVstProcessLevelOffline;
    EXPECT_TRUE(plugin.IsRenderingOffline());
    host.processLevel = 2;  // realtime
    EXPECT_FALSE(plugin.IsRenderingOffline());
    EXPECT_EQ(host.CountOf(vst::audioMasterGetCurrentProcessLevel), 2u);
}
