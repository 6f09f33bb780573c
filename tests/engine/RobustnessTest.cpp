// Any settings and any MIDI give finite, bounded sound that dies away.
#include "tests/engine/EngineFixture.h"

#include <gtest/gtest.h>

#include <random>

using namespace orv::engine;

TEST(Robustness, RandomParametersAndMidiStayFiniteAndBoundedAtEveryRate)
{
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> byte(0, 127);
    const double minimum[kOrvParameterCount] = {0, -1, -1, 0, 0, 0, 0, 0, -1, -1, 0, 0};
    const double maximum[kOrvParameterCount] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 3, 1};
    constexpr int kStatuses[] = {0x80, 0x90, 0x90, 0x90, 0xB0, 0xE0, 0xA0, 0xD0, 0xF0};

    for (double rate : {22050.0, 44100.0, 48000.0, 96000.0, 192000.0}) {
        EngineFixture fixture(rate, 256);
        for (int round = 0; round < 6; ++round) {
            for (int i = 0; i < kOrvParameterCount; ++i)
                fixture.engine.SetParameter(i, minimum[i] + (maximum[i] - minimum[i]) * unit(random));
            for (int m = 0; m < 48; ++m)
                fixture.Send(kStatuses[random() % std::size(kStatuses)], byte(random), byte(random),
                             static_cast<int>(random() % 300));
            const StereoBuffer out = fixture.Render(static_cast<int>(rate / 8), 100 + round * 150);
            for (size_t i = 0; i < out.left.size(); ++i) {
                ASSERT_TRUE(std::isfinite(out.left[i]) && std::isfinite(out.right[i])) << "rate " << rate;
                ASSERT_LT(std::fabs(out.left[i]), 64.0) << "rate " << rate;
                ASSERT_LT(std::fabs(out.right[i]), 64.0) << "rate " << rate;
            }
        }
        // After everything is released the output falls to exact silence
        // (nothing lingers as denormals).
        fixture.engine.SetParameter(kRelease, 0.0);
        fixture.engine.SetParameter(kEnvelope, 0.3);
        fixture.Send(0xB0, 64, 0);
        fixture.engine.ReleaseAllNotes();
        fixture.Render(static_cast<int>(rate * 2));
        const StereoBuffer tail = fixture.Render(static_cast<int>(rate / 10));
        EXPECT_EQ(Peak(tail.left), 0.0) << "rate " << rate;
        EXPECT_EQ(Peak(tail.right), 0.0) << "rate " << rate;
    }
}

TEST(Robustness, SampleRatesBelowOneKilohertzRenderSilenceInsteadOfHanging)
{
    EngineFixture fixture(44100.0);
    fixture.Send(0x90, 60, 100);
    fixture.engine.Reset(0.0, 512);
    const StereoBuffer out = fixture.Render(1024);
    EXPECT_EQ(Peak(out.left), 0.0);
}
