// The building blocks on their own: envelope timing, filter gain, chorus.
#include "engine/AirChorus.h"
#include "engine/Envelope.h"
#include "engine/LadderFilter.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orv::engine;

namespace {

int StepsToFinishAttack(double attack, double rate)
{
    Envelope envelope;
    envelope.rateScale = Envelope::kLn10 / rate;
    envelope.SetAttack(attack);
    envelope.EnterAttack();
    int steps = 0;
    while (envelope.stage == Envelope::kAttack && steps < 100000000) {
        envelope.Step();
        ++steps;
    }
    return steps;
}

}  // namespace

TEST(SoundBlocks, FastestAttackTakesAboutFiveMillisecondsAtAnyRate)
{
    for (double rate : {22050.0, 44100.0, 192000.0}) {
        const double seconds = StepsToFinishAttack(0.0, rate) / rate;
        EXPECT_GT(seconds, 0.004) << rate;
        EXPECT_LT(seconds, 0.006) << rate;
    }
    const double slowest = StepsToFinishAttack(1.0, 1000.0) / 1000.0;
    EXPECT_GT(slowest, 150.0);
    EXPECT_LT(slowest, 170.0);
}

TEST(SoundBlocks, LadderWithoutResonanceHasUnityGainAtDc)
{
    FilterState<double> filter = kFreshFilter;
    SetLadderCoefficients(filter, 0.3, 0.0);
    double y = 0.0;
    for (int i = 0; i < 20000; ++i)
        y = LadderStep<true>(filter, 0.5, 1.0);
    EXPECT_NEAR(y, 0.5, 1e-9);
}

TEST(SoundBlocks, ResonantLadderStaysBoundedAndSurvivesNaN)
{
    FilterState<double> filter = kFreshFilter;
    SetLadderCoefficients(filter, 0.1, 1.0);
    double peak = 0.0;
    for (int i = 0; i < 100000; ++i) {
        const double y = LadderStep<true>(filter, i == 5000 ? std::nan("") : (i % 100 < 50 ? 1.0 : -1.0), 1.0);
        ASSERT_TRUE(std::isfinite(y));
        peak = std::max(peak, std::fabs(y));
    }
    EXPECT_LT(peak, 10.0);
}

TEST(SoundBlocks, AirAtZeroPassesTheMixAndAtOneWidensIt)
{
    AirChorus chorus;
    chorus.PrepareDelayLines(44100.0);
    chorus.SetModulation(0.003, 0.005, 0.6);
    std::vector<double> mix(44), left(44), right(44);
    for (int block = 0; block < 100; ++block) {
        for (int i = 0; i < 44; ++i)
            mix[static_cast<size_t>(i)] = std::sin((block * 44 + i) * 0.05);
        chorus.mix = block < 50 ? 0.0 : 1.0;
        chorus.ControlStep();
        chorus.Process(mix.data(), mix.data(), left.data(), right.data(), 44);
        if (block < 50) {
            ASSERT_EQ(left, right);
        }
    }
    EXPECT_NE(left, right);
}
