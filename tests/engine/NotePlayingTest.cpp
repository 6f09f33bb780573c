// What a player hears and does: pitch, voice allocation, pedal, bend.
#include "tests/engine/EngineFixture.h"

#include "engine/Tuning.h"

#include <gtest/gtest.h>

using namespace orv::engine;

namespace {

constexpr int kNoteOnStatus = 0x90;
constexpr int kNoteOffStatus = 0x80;
constexpr int kControlStatus = 0xB0;
constexpr int kBendStatus = 0xE0;

int ActiveVoices(const Engine& engine)
{
    int count = 0;
    for (int i = 0; i < Engine::kVoiceCount; ++i)
        count += engine.GetVoice(i).IsActive() ? 1 : 0;
    return count;
}

}  // namespace

TEST(NotePlaying, NoteA4AtPadCentreSoundsAt440HzFromTheSineAlone)
{
    EngineFixture fixture;
    fixture.Send(kNoteOnStatus, 69, 100);
    const StereoBuffer out = fixture.Render(44100);

    const Voice& voice = fixture.engine.GetVoice(0);
    EXPECT_EQ(voice.Note(), 69);
    EXPECT_EQ(voice.ModelLevel(kModelSine), 1.0);
    for (int model : {kModelString, kModelWood, kModelMetal, kModelGlass})
        EXPECT_EQ(voice.ModelLevel(model), 0.0) << "model " << model;
    EXPECT_NEAR(MeasureFrequency(out.left, 44100.0, 8820), 440.0, 0.05);
    EXPECT_EQ(out.left, out.right) << "with Air at 0 the output is the mono voice sum";
    EXPECT_GT(Peak(out.left), 0.05);
}

TEST(NotePlaying, PitchBendExtremesAndTheirPitch)
{
    EngineFixture fixture;
    fixture.Send(kBendStatus, 0, 0);
    fixture.Render(44);
    EXPECT_EQ(fixture.engine.PitchBend(), -1.0);

    fixture.Send(kBendStatus, 127, 127);
    fixture.Send(kNoteOnStatus, 69, 100);
    const StereoBuffer out = fixture.Render(44100);
    EXPECT_EQ(fixture.engine.PitchBend(), 8191.0 / 8192.0);
    // Two semitones of bend range, truncated to a whole pitch index.
    const double expected = PitchToFrequency(static_cast<int32_t>(256 * (8191.0 / 8192.0) + 8832));
    EXPECT_NEAR(MeasureFrequency(out.left, 44100.0, 8820), expected, 0.05);
}

TEST(NotePlaying, RepeatedNoteRetriggersItsOwnVoice)
{
    EngineFixture fixture;
    fixture.Send(kNoteOnStatus, 60, 100);
    fixture.Render(4410);
    fixture.Send(kNoteOnStatus, 60, 90);
    fixture.Render(441);
    EXPECT_EQ(ActiveVoices(fixture.engine), 1);
    EXPECT_EQ(fixture.engine.GetVoice(0).Serial(), 2);
    EXPECT_EQ(fixture.engine.GetVoice(0).Velocity(), 90);
}

TEST(NotePlaying, SixtyFifthNoteStealsTheOldestVoiceEvenInSustain)
{
    EngineFixture fixture;
    for (int i = 0; i < 64; ++i) {
        fixture.Send(kNoteOnStatus, 60 + i, 100);
        fixture.Render(44);
    }
    fixture.Render(44100);  // every voice has reached its sustain level
    ASSERT_EQ(ActiveVoices(fixture.engine), 64);
    ASSERT_EQ(fixture.engine.GetVoice(0).AmplitudeEnvelope().stage, Envelope::kDecay);

    fixture.Send(kNoteOnStatus, 124, 100);
    fixture.Render(44);
    EXPECT_EQ(fixture.engine.GetVoice(0).Note(), 124);
    EXPECT_EQ(fixture.engine.GetVoice(1).Note(), 61);
    EXPECT_EQ(ActiveVoices(fixture.engine), 64);
}

TEST(NotePlaying, NoteOnWithVelocityZeroReleasesLikeNoteOff)
{
    EngineFixture fixture;
    fixture.Send(kNoteOnStatus, 64, 100);
    fixture.Render(441);
    fixture.Send(kNoteOnStatus, 64, 0);
    fixture.Render(44);
    EXPECT_EQ(fixture.engine.GetVoice(0).AmplitudeEnvelope().stage, Envelope::kRelease);
    EXPECT_FALSE(fixture.engine.GetVoice(0).IsKeyHeld());
}

TEST(NotePlaying, SustainPedalHoldsReleasedKeysUntilItIsLifted)
{
    EngineFixture fixture;
    fixture.Send(kControlStatus, 64, 127);
    fixture.Send(kNoteOnStatus, 60, 100);
    fixture.Render(441);
    fixture.Send(kNoteOffStatus, 60, 0);
    fixture.Render(22050);
    const Voice& voice = fixture.engine.GetVoice(0);
    EXPECT_TRUE(voice.IsActive());
    EXPECT_FALSE(voice.IsKeyHeld());
    EXPECT_EQ(voice.AmplitudeEnvelope().stage, Envelope::kDecay);

    fixture.Send(kControlStatus, 64, 0);
    fixture.Render(44);
    EXPECT_EQ(voice.AmplitudeEnvelope().stage, Envelope::kRelease);
    fixture.Render(44100 * 3);
    EXPECT_FALSE(voice.IsActive());
}

TEST(NotePlaying, ReleaseAllNotesActsAtOnceWithoutWaitingForATick)
{
    EngineFixture fixture;
    fixture.Send(kNoteOnStatus, 60, 100);
    fixture.Send(kNoteOnStatus, 67, 100);
    fixture.Render(441);
    fixture.engine.ReleaseAllNotes();
    EXPECT_EQ(fixture.engine.GetVoice(0).AmplitudeEnvelope().stage, Envelope::kRelease);
    EXPECT_EQ(fixture.engine.GetVoice(1).AmplitudeEnvelope().stage, Envelope::kRelease);
}

TEST(NotePlaying, MessagesAtTheSameOffsetKeepTheirArrivalOrder)
{
    EngineFixture onThenOff;
    onThenOff.Send(kNoteOnStatus, 60, 100, 10);
    onThenOff.Send(kNoteOffStatus, 60, 0, 10);
    onThenOff.Render(88);
    EXPECT_FALSE(onThenOff.engine.GetVoice(0).IsKeyHeld());

    EngineFixture offThenOn;
    offThenOn.Send(kNoteOffStatus, 60, 0, 10);
    offThenOn.Send(kNoteOnStatus, 60, 100, 10);
    offThenOn.Render(88);
    EXPECT_TRUE(offThenOn.engine.GetVoice(0).IsKeyHeld());
}

TEST(NotePlaying, ControlTicksRunEveryMillisecondWhateverTheHostBlockSize)
{
    EngineFixture oneBlock;
    EngineFixture singleSamples;
    for (EngineFixture* fixture : {&oneBlock, &singleSamples}) {
        fixture->engine.SetParameter(kMorphMode, kMorphOneShot);
        fixture->Send(kNoteOnStatus, 60, 100);
    }
    oneBlock.Render(44 * 25 + 1, 44 * 25 + 1);
    singleSamples.Render(44 * 25 + 1, 1);
    // The per-voice morph envelope steps once per tick only.
    EXPECT_EQ(oneBlock.engine.GetVoice(0).MorphEnvelope().value,
              singleSamples.engine.GetVoice(0).MorphEnvelope().value);
    EXPECT_LT(oneBlock.engine.GetVoice(0).MorphEnvelope().value, 1.0);
}

TEST(NotePlaying, ModWheelAddsVibrato)
{
    EngineFixture still;
    EngineFixture vibrato;
    vibrato.Send(kControlStatus, 1, 127);
    for (EngineFixture* fixture : {&still, &vibrato})
        fixture->Send(kNoteOnStatus, 69, 100);
    const StereoBuffer plain = still.Render(44100);
    const StereoBuffer wobbling = vibrato.Render(44100);
    EXPECT_EQ(vibrato.engine.ModWheel(), 1.0);
    EXPECT_NE(plain.left, wobbling.left);
    // Over whole vibrato cycles the mean pitch stays put.
    EXPECT_NEAR(MeasureFrequency(wobbling.left, 44100.0, 8820), 440.0, 4.0);
}
