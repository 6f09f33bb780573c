// Travelling between the two variation points.
#include "tests/engine/EngineFixture.h"

#include <gtest/gtest.h>

using namespace orv::engine;

namespace {

constexpr int kNoteOn = 0x90;
constexpr int kNoteOff = 0x80;

void SetSecondPoint(EngineFixture& fixture, double x2, double y2)
{
    fixture.engine.SetParameter(kVariationX2, x2);
    fixture.engine.SetParameter(kVariationY2, y2);
}

}  // namespace

TEST(Morphing, WithMorphOffTheSecondPointChangesNothing)
{
    EngineFixture plain;
    EngineFixture withSecondPoint;
    SetSecondPoint(withSecondPoint, 1.0, 1.0);
    for (EngineFixture* fixture : {&plain, &withSecondPoint})
        fixture->Send(kNoteOn, 60, 100);
    EXPECT_EQ(plain.Render(8820).left, withSecondPoint.Render(8820).left);
}

TEST(Morphing, OnceMorphsALegatoLineOnlyFromItsFirstNote)
{
    EngineFixture fixture;
    SetSecondPoint(fixture, 1.0, 0.0);
    fixture.engine.SetParameter(kMorphMode, kMorphOnce);
    fixture.engine.SetParameter(kMorphRate, 0.7);
    fixture.Send(kNoteOn, 60, 100);
    fixture.Render(44);
    const Voice& first = fixture.engine.GetVoice(0);
    EXPECT_GT(first.MorphInput(), 0.9) << "a phrase starts at the second point";
    EXPECT_GT(first.ModelLevel(kModelMetal), 0.0);

    fixture.Render(44100);
    const double settled = first.MorphInput();
    EXPECT_LT(settled, 0.01) << "and falls to the first point";

    fixture.Send(kNoteOn, 64, 100);  // legato: 60 is still held
    fixture.Render(44);
    EXPECT_LT(fixture.engine.GetVoice(1).MorphInput(), 0.01);

    fixture.Send(kNoteOff, 60, 0);
    fixture.Send(kNoteOff, 64, 0);
    fixture.Render(441);
    fixture.Send(kNoteOn, 67, 100);  // a new phrase
    fixture.Render(44);
    for (int i = 0; i < Engine::kVoiceCount; ++i)
        if (fixture.engine.GetVoice(i).Note() == 67) {
            EXPECT_GT(fixture.engine.GetVoice(i).MorphInput(), 0.9);
        }
}

TEST(Morphing, OneShotGivesEachNoteItsOwnClock)
{
    EngineFixture fixture;
    SetSecondPoint(fixture, -1.0, 0.0);
    fixture.engine.SetParameter(kMorphMode, kMorphOneShot);
    fixture.engine.SetParameter(kMorphRate, 0.6);
    fixture.Send(kNoteOn, 60, 100);
    fixture.Render(22050);
    fixture.Send(kNoteOn, 64, 100);
    fixture.Render(441);
    const double early = fixture.engine.GetVoice(0).MorphEnvelope().value;
    const double late = fixture.engine.GetVoice(1).MorphEnvelope().value;
    EXPECT_LT(early, late);
    EXPECT_GT(fixture.engine.GetVoice(1).ModelLevel(kModelWood), fixture.engine.GetVoice(0).ModelLevel(kModelWood));
}

TEST(Morphing, SwingStaysInsideBothPointsAndStandsStillAtRateZero)
{
    EngineFixture fixture;
    SetSecondPoint(fixture, 0.0, 1.0);
    fixture.engine.SetParameter(kMorphMode, kMorphSwing);
    fixture.engine.SetParameter(kMorphRate, 1.0);  // 10 Hz
    fixture.Send(kNoteOn, 60, 100);
    double lowest = 1.0;
    double highest = 0.0;
    for (int tick = 0; tick < 1000; ++tick) {
        fixture.Render(44);
        const double m = fixture.engine.GetVoice(0).MorphInput();
        lowest = std::min(lowest, m);
        highest = std::max(highest, m);
    }
    EXPECT_NEAR(lowest, 0.5 - 0.5 * std::sin(1.0), 0.01);
    EXPECT_NEAR(highest, 0.5 + 0.5 * std::sin(1.0), 0.01);

    fixture.engine.SetParameter(kMorphRate, 0.0);
    fixture.Render(44);
    const double stopped = fixture.engine.GetVoice(0).MorphInput();
    fixture.Render(4410);
    EXPECT_EQ(fixture.engine.GetVoice(0).MorphInput(), stopped);
}
