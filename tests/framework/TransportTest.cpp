// The host's transport as the instrument can query it: only what the host
// marks valid is believed, and a host without time info means "unknown".
#include "tests/framework/RecordingPlugin.h"

#include <gtest/gtest.h>

using namespace orv::framework;

using namespace hosttest;

namespace {

vst::VstTimeInfo Playing()
{
    vst::VstTimeInfo time{};
    time.samplePos = 44100.4;
    time.sampleRate = 44100.0;
    time.ppqPos = 8.5;
    time.tempo = 128.0;
    time.barStartPos = 8.0;
    time.cycleStartPos = 4.0;
    time.cycleEndPos = 12.0;
    time.timeSigNumerator = 7;
    time.timeSigDenominator = 8;
    time.flags = vst::kVstTransportPlaying | vst::kVstPpqPosValid | vst::kVstTempoValid | vst::kVstBarsValid |
                 vst::kVstCyclePosValid | vst::kVstTimeSigValid;
    return time;
}

TransportInfo Untouched()
{
    TransportInfo info;
    info.tempo = -1.0;
    info.samplePosition = -1.0;
    info.quarterNotePosition = -1.0;
    info.lastBarStart = -1.0;
    info.cycleStart = -1.0;
    info.cycleEnd = -1.0;
    info.numerator = -1;
    info.denominator = -1;
    info.playing = false;
    info.cycleActive = true;
    return info;
}

}  // namespace

TEST(Transport, TempoCountsOnlyWhenTheHostMarksItValid)
{
    ScriptedHost host;
    RecordingPlugin plugin(host);
    vst::VstTimeInfo time = Playing();
    host.timeInfo = &time;
    EXPECT_EQ(plugin.GetTempo(), 128.0);
    EXPECT_EQ(host.CallsOf(vst::audioMasterGetTime).back().value, vst::kVstTempoValid);
    time.flags &= ~vst::kVstTempoValid;
    EXPECT_EQ(plugin.GetTempo(), 0.0);
    time.flags |= vst::kVstTempoValid;
    time.tempo = -5.0;
    EXPECT_EQ(plugin.GetTempo(), 0.0);
    host.timeInfo = nullptr;
    EXPECT_EQ(plugin.GetTempo(), 0.0);
}

TEST(Transport, TimeSignatureIsZeroUnlessValid)
{
    ScriptedHost host;
    RecordingPlugin plugin(host);
    vst::VstTimeInfo time = Playing();
    host.timeInfo = &time;
    int32_t numerator = -1, denominator = -1;
    plugin.GetTimeSignature(numerator, denominator);
    EXPECT_EQ(numerator, 7);
    EXPECT_EQ(denominator, 8);
    EXPECT_EQ(host.CallsOf(vst::audioMasterGetTime).back().value, vst::kVstTimeSigValid);

    time.flags &= ~vst::kVstTimeSigValid;
    plugin.GetTimeSignature(numerator, denominator);
    EXPECT_EQ(numerator, 0);
    EXPECT_EQ(denominator, 0);

    time.flags |= vst::kVstTimeSigValid;
    time.timeSigDenominator = -4;
    numerator = denominator = -1;
    plugin.GetTimeSignature(numerator, denominator);
    EXPECT_EQ(numerator, 0);
    EXPECT_EQ(denominator, 0);

    host.timeInfo = nullptr;
    numerator = denominator = -1;
    plugin.GetTimeSignature(numerator, denominator);
    EXPECT_EQ(numerator, 0);
    EXPECT_EQ(denominator, 0);
}

TEST(Transport, SamplePositionRoundsToTheNearestFrame)
{
    ScriptedHost host;
    RecordingPlugin plugin(host);
    vst::VstTimeInfo time{};
    host.timeInfo = &time;
    const struct {
        double position;
        int64_t expected;
    } cases[] = {{1234.4, 1234}, {1234.5, 1235}, {0.0, 0}, {-3.0, 0}, {1e12 + 0.6, 1000000000001}};
    for (const auto& c : cases) {
        time.samplePos = c.position;
        EXPECT_EQ(plugin.GetSamplePosition(), c.expected) << c.position;
    }
    EXPECT_EQ(host.CallsOf(vst::audioMasterGetTime).back().value, 0);
    host.timeInfo = nullptr;
    EXPECT_EQ(plugin.GetSamplePosition(), 0);
}

TEST(Transport, TransportInfoTakesOnlyWhatTheHostMarksValid)
{
    ScriptedHost host;
    RecordingPlugin plugin(host);
    vst::VstTimeInfo time = Playing();
    host.timeInfo = &time;

    TransportInfo info = Untouched();
    plugin.GetTransportInfo(info);
    EXPECT_EQ(host.CallsOf(vst::audioMasterGetTime).back().value, 0x3e00);
    EXPECT_EQ(info.samplePosition, 44100.4);
    EXPECT_EQ(info.quarterNotePosition, 8.5);
    EXPECT_EQ(info.tempo, 128.0);
    EXPECT_EQ(info.lastBarStart, 8.0);
    EXPECT_EQ(info.cycleStart, 4.0);
    EXPECT_EQ(info.cycleEnd, 12.0);
    EXPECT_EQ(info.numerator, 7);
    EXPECT_EQ(info.denominator, 8);
    EXPECT_TRUE(info.playing);
    EXPECT_FALSE(info.cycleActive);

    // Only the tempo is valid, and values out of range are not believed.
    time.flags = vst::kVstTempoValid | vst::kVstTransportCycleActive;
    info = Untouched();
    plugin.GetTransportInfo(info);
    EXPECT_EQ(info.samplePosition, 44100.4) << "always taken";
    EXPECT_EQ(info.tempo, 128.0);
    EXPECT_EQ(info.quarterNotePosition, -1.0);
    EXPECT_EQ(info.numerator, -1);
    EXPECT_FALSE(info.playing);
    EXPECT_TRUE(info.cycleActive);

    time = Playing();
    time.tempo = 0.0;
    time.ppqPos = -1.0;
    time.cycleStartPos = -0.5;
    time.timeSigNumerator = 0;
    info = Untouched();
    plugin.GetTransportInfo(info);
    EXPECT_EQ(info.tempo, -1.0);
    EXPECT_EQ(info.quarterNotePosition, -1.0);
    EXPECT_EQ(info.cycleStart, -1.0);
    EXPECT_EQ(info.cycleEnd, -1.0);
    EXPECT_EQ(info.numerator, -1);
    EXPECT_EQ(info.denominator, -1);
    EXPECT_EQ(info.lastBarStart, 8.0);
}

TEST(Transport, NoTimeInfoOrNoValidFlagLeavesTransportInfoAlone)
{
    ScriptedHost host;
    RecordingPlugin plugin(host);
    TransportInfo info = Untouched();
    plugin.GetTransportInfo(info);  // host answers null
    vst::VstTimeInfo time = Playing();
    time.flags = vst::kVstTransportPlaying | vst::kVstNanosValid;
    host.timeInfo = &time;
    plugin.GetTransportInfo(info);

    const TransportInfo expected = Untouched();
    EXPECT_EQ(info.samplePosition, expected.samplePosition);
    EXPECT_EQ(info.tempo, expected.tempo);
    EXPECT_EQ(info.numerator, expected.numerator);
    EXPECT_EQ(info.playing, expected.playing);
    EXPECT_EQ(info.cycleActive, expected.cycleActive);
}
