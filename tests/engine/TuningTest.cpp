// Pitch to frequency, and retuning by a tuning master.
#include "tests/engine/EngineFixture.h"

#include "engine/MtsClient.h"
#include "engine/Tuning.h"

#include <gtest/gtest.h>

using namespace orv::engine;

TEST(Tuning, PitchIndexToFrequency)
{
    EXPECT_EQ(PitchToFrequency(6144), 130.813);
    EXPECT_EQ(PitchToFrequency(8832), 440.0);
    EXPECT_EQ(PitchToFrequency(-128), 7.7171163805);
    EXPECT_EQ(PitchToFrequency(0), 8.176);
    EXPECT_EQ(PitchToFrequency(17280), 19912.127);
    EXPECT_EQ(PitchToFrequency(1 << 30), 19912.127);
    EXPECT_EQ(PitchToFrequency(-(1 << 30)), 0.0033570162);
    EXPECT_NEAR(PitchToFrequency(8832 + 64), (440.0 + 466.164) / 2.0, 1e-9) << "linear between semitones";
}

namespace {

// A stand-in tuning master: note 60 at 440 Hz, note 61 filtered.
struct FakeMaster {
    static inline bool connected = true;
    static inline double table[128];
    static bool HasMaster() { return connected; }
    static bool ShouldFilter(char note, char) { return note == 61; }
};

MtsBinding MakeBinding()
{
    for (int i = 0; i < 128; ++i)
        FakeMaster::table[i] = 440.0 * std::pow(2.0, (i - 69) / 12.0);
    FakeMaster::table[60] = 440.0;
    FakeMaster::table[100] = 25000.0;
    FakeMaster::table[10] = 2.0;
    MtsBinding binding;
    binding.hasMaster = &FakeMaster::HasMaster;
    binding.shouldFilterNote = &FakeMaster::ShouldFilter;
    binding.masterTable = FakeMaster::table;
    return binding;
}

}  // namespace

TEST(Tuning, WithoutAMasterNotesAreEqualTempered)
{
    const MtsBinding none;
    const MtsClient client(none);
    for (int note = 0; note < 128; ++note)
        ASSERT_EQ(NoteToPitch(&client, note), note * 128);
    EXPECT_FALSE(client.ShouldFilterNote(61));
}

TEST(Tuning, AMasterRetunesNotesAndFiltersOthers)
{
    const MtsBinding binding = MakeBinding();
    const MtsClient client(binding);
    FakeMaster::connected = true;
    EXPECT_EQ(NoteToPitch(&client, 60), 8832);
    EXPECT_EQ(NoteToPitch(&client, 100), 17276) << "above the highest frequency";
    EXPECT_EQ(NoteToPitch(&client, 10), 4) << "below the lowest frequency";

    EngineFixture fixture;
    fixture.engine.SetTuning(&client);
    fixture.Send(0x90, 61, 100);
    fixture.Send(0x90, 60, 100);
    fixture.Render(441);
    EXPECT_EQ(fixture.engine.GetVoice(0).Note(), 60) << "the filtered note took no voice";
    EXPECT_EQ(fixture.engine.GetVoice(0).Pitch(), 8832.0);

    FakeMaster::connected = false;  // the master went away: plain tuning again
    fixture.Send(0x90, 61, 100);
    fixture.Render(44);
    EXPECT_EQ(fixture.engine.GetVoice(1).Note(), 61);
    EXPECT_EQ(fixture.engine.GetVoice(1).Pitch(), 61.0 * 128);
}
