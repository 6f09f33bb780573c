// The instrument's own program actions, as the editor's menu and program
// chooser use them: initialise, copy and paste, switch; and program states
// that end early.
#include "tests/instrument/InstrumentView.h"

#include <gtest/gtest.h>

using namespace orv::engine;
using namespace orv::framework;
using namespace orv::instrument;
using namespace orv::platform;

using namespace instrumenttest;

namespace {

const std::vector<double> kDefaults = {0.5, 0.0, 0.0, 0.0, 0.0, 0.2, 0.3, 0.0, 0.0, 0.0, 0.0, 0.3};

void SetValue(InstrumentFixture& fixture, int index, float normalised)
{
    fixture.effect->setParameter(fixture.effect, index, normalised);
}

}  // namespace

TEST(ProgramShell, InitializeResetsTheCurrentProgramAndTellsTheHost)
{
    InstrumentFixture fixture(&RecordingHost);
    ORV& plugin = *fixture.plugin;
    plugin.SwitchProgram(33);  // "XB-EPiano"
    const std::vector<std::string> names = ProgramNames(plugin);
    HeardByHost().clear();
    plugin.InitializeProgram();

    EXPECT_EQ(LiveValues(plugin), kDefaults);
    EXPECT_STREQ(plugin.GetProgramName(33), "Init");
    // Every parameter reached the host with its new value, the last time
    // in index order.
    const std::vector<HostCall> automated = HeardOf(vst::audioMasterAutomate);
    ASSERT_GE(automated.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        const HostCall& call = automated[automated.size() - 12 + static_cast<size_t>(i)];
        EXPECT_EQ(call.index, i);
        EXPECT_FLOAT_EQ(call.opt, static_cast<float>(plugin.GetParameter(i).GetNormalised()));
    }

    plugin.SwitchProgram(0);
    plugin.SwitchProgram(33);
    EXPECT_EQ(LiveValues(plugin), kDefaults);
    for (int i = 0; i < 64; ++i) {
        if (i != 33) {
            EXPECT_EQ(plugin.GetProgramName(i), names[static_cast<size_t>(i)]) << i;
        }
    }
}

TEST(ProgramShell, PasteBringsTheCopiedSoundUnderTheSourcesCurrentName)
{
    InstrumentFixture fixture;
    ORV& plugin = *fixture.plugin;
    plugin.SwitchProgram(20);
    const Observation untouched = Observe(plugin);
    plugin.PasteProgram();  // nothing copied yet
    EXPECT_EQ(Observe(plugin), untouched);

    plugin.SwitchProgram(5);
    SetValue(fixture, 3, 0.77f);
    plugin.CopyProgram();
    const std::vector<double> copied = LiveValues(plugin);
    SetValue(fixture, 3, 0.1f);  // later edits are not in the clipboard
    std::string rename = "Renamed Five";
    fixture.Dispatch(vst::effSetProgramName, 0, 0, rename.data());

    plugin.SwitchProgram(20);
    plugin.PasteProgram();
    EXPECT_EQ(LiveValues(plugin), copied);
    EXPECT_STREQ(plugin.GetProgramName(20), "Renamed Five");
    plugin.SwitchProgram(5);
    EXPECT_NEAR(plugin.GetParameter(3).value, 0.1, 1e-7);
    plugin.SwitchProgram(20);
    EXPECT_EQ(LiveValues(plugin), copied);

    // Pasting twice gives the same program again.
    plugin.SwitchProgram(21);
    plugin.PasteProgram();
    plugin.PasteProgram();
    EXPECT_EQ(LiveValues(plugin), copied);
    EXPECT_STREQ(plugin.GetProgramName(21), "Renamed Five");
}

TEST(ProgramShell, SwitchingKeepsTheEditsOfTheProgramLeft)
{
    InstrumentFixture fixture(&RecordingHost);
    ORV& plugin = *fixture.plugin;
    plugin.SwitchProgram(3);
    SetValue(fixture, 4, 0.42f);
    const std::vector<double> edited = LiveValues(plugin);
    HeardByHost().clear();
    plugin.SwitchProgram(4);
    EXPECT_EQ(plugin.CurrentProgram(), 4);
    EXPECT_NE(LiveValues(plugin), edited);
    EXPECT_GE(HeardOf(vst::audioMasterUpdateDisplay).size(), 1u);
    EXPECT_GE(HeardOf(vst::audioMasterAutomate).size(), 12u);
    plugin.SwitchProgram(3);
    EXPECT_EQ(LiveValues(plugin), edited);

    for (int outside : {64, -1, 1000}) {
        plugin.SwitchProgram(outside);
        EXPECT_EQ(plugin.CurrentProgram(), 3);
        EXPECT_EQ(LiveValues(plugin), edited);
    }
}

TEST(ProgramShell, AStateThatEndsEarlyReportsFailure)
{
    InstrumentFixture fixture;
    ORV& plugin = *fixture.plugin;
    plugin.SwitchProgram(44);  // "XB-baroque", Morph Rate 0.6671
    SerialBuffer state;
    state.PutBytes("ORV_2.0.0", 9);
    state.PutInt32(44);
    state.PutString("XB-baroque");
    for (int i = 0; i < 11; ++i)
        state.PutDouble(kDefaults[static_cast<size_t>(i)]);
    EXPECT_EQ(plugin.ReadProgramState(state, 0), -1);
    EXPECT_EQ(plugin.GetParameter(11).value, 0.0);  // the missing value reads as 0
    EXPECT_EQ(plugin.GetParameter(0).value, 0.5);

    // A whole state reads back exactly what was written.
    SetValue(fixture, 9, 0.3f);
    SerialBuffer written;
    ASSERT_TRUE(plugin.WriteProgramState(written));
    const std::vector<double> values = LiveValues(plugin);
    plugin.InitializeProgram();
    EXPECT_EQ(plugin.ReadProgramState(written, 0), static_cast<int>(written.Size()));
    EXPECT_EQ(LiveValues(plugin), values);
}
