// Host events as the instrument receives them, and MIDI it sends back.
#include "tests/framework/RecordingPlugin.h"
#include "tests/host/EventBatch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

using namespace orv::framework;

using namespace hosttest;

TEST(EventDelivery, EventsArriveOneByOneInTheHostsOrder)
{
    ScriptedHost host;
    RecordingPlugin plugin(host);
    const std::vector<char> dump = {'\xF0', 0x43, 0x10, 0x4C, 0x00, '\xF7'};
    EventBatch batch;
    batch.Midi(40, 0x90, 60, 100)
        .Null()
        .SysEx(12, dump)
        .OtherType(2, 0)
        .Midi(3, 0xB1, 64, 127)  // earlier offset, later in the list: not re-sorted
        .Midi(40, 0x80, 60, 0);
    ASSERT_EQ(plugin.Dispatch(vst::effProcessEvents, 0, 0, batch.Events()), 1);

    const std::vector<std::string> expected = {"midi 40 90 3c 64", "sysex 12 6", "midi 3 b1 40 7f", "midi 40 80 3c 00"};
    EXPECT_EQ(plugin.log, expected);
    ASSERT_EQ(plugin.sysexData.size(), 1u);
    EXPECT_EQ(static_cast<const void*>(plugin.sysexData[0]), static_cast<const void*>(dump.data()));
    EXPECT_TRUE(plugin.renders.empty()) << "events are delivered before, not with, the block";
}

TEST(EventDelivery, HighBitBytesReachTheInstrumentUnsigned)
{
    ScriptedHost host;
    RecordingPlugin plugin(host);
    EventBatch batch;
    batch.Midi(0, 0xFF, 0x80, 0xFE);
    plugin.Dispatch(vst::effProcessEvents, 0, 0, batch.Events());
    EXPECT_EQ(plugin.log, std::vector<std::string>{"midi 0 ff 80 fe"});
}

TEST(EventDelivery, TheDefaultHandlingPassesEveryShortMessageToTheHost)
{
    ScriptedHost host;
    RecordingPlugin plugin(host);
    plugin.passMidiThrough = true;
    const std::vector<char> dump = {'\xF0', 0x7D, '\xF7'};
    EventBatch batch;
    batch.Midi(17, 0x90, 60, 100).SysEx(2, dump).Midi(0, 0xB0, 1, 64).OtherType(2, 0).Midi(63, 0xF8, 0, 0);
    // Fields of the host's event that are not part of the message.
    auto* first = reinterpret_cast<vst::VstMidiEvent*>(batch.Events()->events[0]);
    first->flags = 1;
    first->noteLength = 480;
    first->detune = 20;
    first->midiData[3] = 0x55;
    plugin.Dispatch(vst::effProcessEvents, 0, 0, batch.Events());

    std::vector<std::string> forwarded;
    for (const HostCall& call : host.CallsOf(vst::audioMasterProcessEvents)) {
        ASSERT_EQ(call.eventCount, 1);
        const vst::VstMidiEvent& event = call.events.at(0).midi;
        EXPECT_EQ(event.type, vst::kVstMidiType);
        EXPECT_EQ(event.flags, 0);
        EXPECT_EQ(event.noteLength, 0);
        EXPECT_EQ(event.detune, 0);
        EXPECT_EQ(event.midiData[3], 0);
        char line[32];
        std::snprintf(line, sizeof line, "%d %02x %02x %02x", static_cast<int>(event.deltaFrames),
                      static_cast<uint8_t>(event.midiData[0]), static_cast<uint8_t>(event.midiData[1]),
                      static_cast<uint8_t>(event.midiData[2]));
        forwarded.emplace_back(line);
    }
    const std::vector<std::string> expected = {"17 90 3c 64", "0 b0 01 40", "63 f8 00 00"};
    EXPECT_EQ(forwarded, expected);
}

TEST(EventDelivery, MidiSentToTheHostIsOneCompleteEventAndReportsTheAnswer)
{
    ScriptedHost host;
    RecordingPlugin plugin(host);
    MidiMessage message;
    message.offset = 21;
    message.status = 0x92;
    message.data1 = 67;
    message.data2 = 0x7F;
    EXPECT_TRUE(plugin.SendMidiToHost(message));
    host.processEventsResult = 0;
    EXPECT_FALSE(plugin.SendMidiToHost(message));
    host.processEventsResult = 2;
    EXPECT_FALSE(plugin.SendMidiToHost(message));

    const auto calls = host.CallsOf(vst::audioMasterProcessEvents);
    ASSERT_EQ(calls.size(), 3u);
    ASSERT_EQ(calls[0].eventCount, 1);
    const vst::VstMidiEvent& event = calls[0].events.at(0).midi;
    EXPECT_EQ(event.type, vst::kVstMidiType);
    EXPECT_EQ(event.byteSize, 32);
    EXPECT_EQ(event.deltaFrames, 21);
    EXPECT_EQ(static_cast<uint8_t>(event.midiData[0]), 0x92);
    EXPECT_EQ(event.midiData[1], 67);
    EXPECT_EQ(event.midiData[2], 0x7F);
    EXPECT_EQ(event.midiData[3], 0);
    EXPECT_EQ(calls[0].effect, plugin.Effect());
}

TEST(EventDelivery, SysExSentToTheHostPointsAtTheMessageBytes)
{
    ScriptedHost host;
    RecordingPlugin plugin(host);
    const uint8_t bytes[] = {0xF0, 0x7D, 0x10, 0x20, 0xF7};
    SysExMessage message;
    message.offset = 7;
    message.size = sizeof bytes;
    message.data = bytes;
    EXPECT_TRUE(plugin.SendSysExToHost(message));
    host.processEventsResult = 0;
    EXPECT_FALSE(plugin.SendSysExToHost(message));

    const auto calls = host.CallsOf(vst::audioMasterProcessEvents);
    ASSERT_EQ(calls.size(), 2u);
    ASSERT_EQ(calls[0].eventCount, 1);
    const SentEvent& sent = calls[0].events.at(0);
    EXPECT_EQ(sent.type, vst::kVstSysExType);
    EXPECT_EQ(sent.byteSize, static_cast<int32_t>(sizeof(vst::VstMidiSysexEvent)));
    EXPECT_EQ(sent.deltaFrames, 7);
    EXPECT_EQ(sent.sysex.dumpBytes, 5);
    EXPECT_EQ(sent.sysex.flags, 0);
    EXPECT_EQ(sent.sysex.resvd1, 0);
    EXPECT_EQ(sent.sysex.resvd2, 0);
    EXPECT_EQ(sent.dump, std::vector<char>(bytes, bytes + sizeof bytes));
}
