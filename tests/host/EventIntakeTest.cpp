// effProcessEvents from the host's side: what a host may put in the list,
// and that the MIDI in it is played while everything else is ignored.
#include "tests/host/EventBatch.h"
#include "tests/host/HostedPlugin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

using namespace hosttest;

namespace {

// Renders blocks of 512 frames and returns the largest absolute sample.
float Peak(HostedPlugin& plugin, int blocks)
{
    std::vector<float> left(512), right(512);
    float* outputs[] = {left.data(), right.data()};
    float peak = 0.0f;
    for (int block = 0; block < blocks; ++block) {
        plugin.effect->processReplacing(plugin.effect, nullptr, outputs, 512);
        for (size_t k = 0; k < 512; ++k)
            peak = std::max({peak, std::fabs(left[k]), std::fabs(right[k])});
    }
    return peak;
}

}  // namespace

TEST(EventIntake, ANullListIsRefusedAndNullEntriesAreSkipped)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    plugin.Start(44100.0f, 512);
    EXPECT_EQ(plugin.Dispatch(vst::effProcessEvents, 0, 0, nullptr), 0);

    // Empty and nonsensical counts deliver nothing.
    EventBatch batch;
    batch.Null().Midi(3, 0x90, 60, 100).Null();
    EXPECT_EQ(plugin.Dispatch(vst::effProcessEvents, 0, 0, batch.Events(0)), 1);
    EXPECT_EQ(plugin.Dispatch(vst::effProcessEvents, 0, 0, batch.Events(-5)), 1);
    EXPECT_EQ(Peak(plugin, 4), 0.0f);

    // The note between the null entries is played.
    EXPECT_EQ(plugin.Dispatch(vst::effProcessEvents, 0, 0, batch.Events()), 1);
    EXPECT_GT(Peak(plugin, 8), 0.0f);
}

TEST(EventIntake, SysExAndOtherEventTypesAreIgnored)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    plugin.Start(44100.0f, 512);
    plugin.host.ClearCalls();
    const std::vector<char> dump = {'\xF0', 0x7D, 0x01, '\xF7'};
    const std::vector<char> none;
    EventBatch batch;
    batch.SysEx(0, dump).OtherType(2, 0).OtherType(99, 1).SysEx(2, none).OtherType(-1, -1);
    EXPECT_EQ(plugin.Dispatch(vst::effProcessEvents, 0, 0, batch.Events()), 1);
    EXPECT_EQ(plugin.host.CountOf(vst::audioMasterProcessEvents), 0u);
    EXPECT_EQ(Peak(plugin, 4), 0.0f);
}

TEST(EventIntake, OddEventFieldsAreHarmless)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    plugin.Start(44100.0f, 512);
    EventBatch batch;
    // Offsets outside the block, running status without a status byte,
    // data bytes with the high bit set, a cut-off sysex.
    const std::vector<char> shortDump = {'\xF0'};
    batch.Midi(-100, 0x90, 60, 100)
        .Midi(1 << 30, 0x90, 62, 100)
        .Midi(5, 0x3C, 0x64, 0)
        .Midi(6, 0x90, 0xFF, 0xFF)
        .Midi(7, 0xB0, 0xFF, 0x80)
        .Midi(8, 0xE0, 0xFF, 0xFF)
        .SysEx(9, shortDump);
    EXPECT_EQ(plugin.Dispatch(vst::effProcessEvents, 0, 0, batch.Events()), 1);
    const float peak = Peak(plugin, 8);
    EXPECT_TRUE(std::isfinite(peak));
}

TEST(EventIntake, NotesStartWithinOneControlTickOfTheirFrameWhateverTheBlockSize)
{
    constexpr int kTickFrames = 44;  // one millisecond at 44.1 kHz
    constexpr int kStreamFrames = 9000;
    for (const int noteFrame : {20, 1000, 4000, 8191}) {
        for (const int blockSize : {32, 512, 4096}) {
            HostedPlugin plugin;
            ASSERT_LOADED(plugin);
            plugin.Start(44100.0f, blockSize);
            // The host hands over each event just before the block it falls in.
            std::vector<float> left(kStreamFrames), right(kStreamFrames);
            for (int start = 0; start < kStreamFrames; start += blockSize) {
                const int frames = std::min(blockSize, kStreamFrames - start);
                EventBatch batch;
                if (noteFrame >= start && noteFrame < start + frames)
                    batch.Midi(noteFrame - start, 0x90, 60, 100);
                plugin.Dispatch(vst::effProcessEvents, 0, 0, batch.Events());
                float* outputs[] = {left.data() + start, right.data() + start};
                plugin.effect->processReplacing(plugin.effect, nullptr, outputs, frames);
            }
            const auto first = std::find_if(left.begin(), left.end(), [](float s) { return s != 0.0f; });
            ASSERT_NE(first, left.end()) << noteFrame << " in blocks of " << blockSize;
            const int onset = static_cast<int>(first - left.begin());
            EXPECT_LE(std::abs(onset - noteFrame), kTickFrames) << noteFrame << " in blocks of " << blockSize;
        }
    }
}
