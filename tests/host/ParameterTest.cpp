// The twelve parameters as a host meets them: names, display texts, parsing
// text, normalised values, and the vendor queries that format values.
#include "tests/host/CommaLocale.h"
#include "tests/host/HostView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

using namespace hosttest;

namespace {

constexpr intptr_t kVendorAnswer = 0xbeef;

std::string Label(HostedPlugin& plugin, int32_t index)
{
    return ParameterText(plugin, vst::effGetParamLabel, index);
}

// effString2Parameter; the text is copied, as a host's buffer would be.
intptr_t Parse(HostedPlugin& plugin, int32_t index, const std::string& text)
{
    std::string copy = text;
    return plugin.Dispatch(vst::effString2Parameter, index, 0, copy.data());
}

// The text a host shows for a normalised value without setting it.
std::string Preview(HostedPlugin& plugin, int32_t index, float normalised)
{
    char text[256] = {};
    EXPECT_EQ(plugin.Dispatch(vst::effVendorSpecific, 7, index, text, normalised), kVendorAnswer);
    return text;
}

}  // namespace

TEST(Parameters, HostSeesTwelveNamedParametersWithoutLabels)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    ASSERT_EQ(plugin.effect->numParams, kParameters);
    // The slot the instrument leaves empty gets a name hosts can show.
    const char* names[kParameters] = {"Volume",       "Variation X",  "Variation Y", "Vivid",
                                      "Air",          "Release",      "Envelope",    "Reserved",
                                      "Variation X2", "Variation Y2", "Morph Mode",  "Morph Rate"};
    for (int32_t i = 0; i < kParameters; ++i) {
        EXPECT_EQ(ParameterText(plugin, vst::effGetParamName, i), names[i]) << i;
        EXPECT_EQ(Label(plugin, i), "") << i;
        EXPECT_EQ(plugin.Dispatch(vst::effCanBeAutomated, i), 1) << i;
    }
}

TEST(Parameters, InitProgramShowsTheDefaults)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    SelectProgram(plugin, 48);  // "Init"
    const char* texts[kParameters] = {"-6.0",   "0", "0", "0.0000", "0.0000", "0.2000",
                                      "0.3000", "0", "0", "0",      "Off",    "0.300"};
    for (int32_t i = 0; i < kParameters; ++i)
        EXPECT_EQ(Display(plugin, i), texts[i]) << i;
}

TEST(Parameters, DisplayTextsFollowTheValue)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    struct Case {
        int32_t index;
        float normalised;
        const char* text;
    };
    const Case cases[] = {
        {0, 0.0f, "-oo"},
        {0, 0.5f, "-6.0"},
        {0, 1.0f, "0.0"},
        {0, 0.25f, "-12.0"},
        // Variation X at -1, -0.5, 0, 0.004, 0.25 and 1.
        {1, 0.0f, "-100"},
        {1, 0.25f, "-50"},
        {1, 0.5f, "0"},
        {1, 0.502f, "+0"},
        {1, 0.625f, "+25"},
        {1, 1.0f, "+100"},
        {2, 0.0f, "-100"},
        {8, 0.625f, "+25"},
        {9, 0.25f, "-50"},
        {3, 0.25f, "0.2500"},
        {4, 1.0f, "1.0000"},
        {5, 0.0f, "0.0000"},
        {6, 0.12345f, "0.1235"},
        {7, 0.4f, "0"},
        {10, 0.0f, "Off"},
        {10, 1.0f / 3.0f, "Once"},
        {10, 2.0f / 3.0f, "One Shot"},
        {10, 1.0f, "Swing"},
        {11, 0.3f, "0.300"},
        {11, 0.1234f, "0.123"},
        {11, 1.0f, "1.000"},
    };
    for (const Case& c : cases) {
        Set(plugin, c.index, c.normalised);
        EXPECT_EQ(Display(plugin, c.index), c.text) << c.index << " at " << c.normalised;
        EXPECT_EQ(Preview(plugin, c.index, c.normalised), c.text) << c.index << " at " << c.normalised;
        EXPECT_EQ(Label(plugin, c.index), "") << c.index;
    }
}

TEST(Parameters, SteppedParametersSnapAndReportTheirSteps)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    Set(plugin, 10, 0.5f);  // 1.5 rounds to 2
    EXPECT_EQ(Display(plugin, 10), "One Shot");
    EXPECT_NEAR(Value(plugin, 10), 2.0 / 3.0, 1e-6);
    Set(plugin, 10, 0.1f);
    EXPECT_EQ(Display(plugin, 10), "Off");
    EXPECT_EQ(Value(plugin, 10), 0.0f);
    Set(plugin, 7, 0.7f);  // the nameless slot is stepped too
    EXPECT_EQ(Display(plugin, 7), "1");

    // Continuous ones keep exactly what they were given.
    Set(plugin, 3, 0.123456f);
    EXPECT_EQ(Value(plugin, 3), 0.123456f);

    for (int32_t i = 0; i < kParameters; ++i) {
        const bool stepped = i == 7 || i == 10;
        EXPECT_EQ(plugin.Dispatch(vst::effVendorSpecific, 8, i), stepped ? kVendorAnswer : 0) << i;
    }
}

TEST(Parameters, ValuesOutsideZeroToOneGiveTheEndsOfTheRange)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    Set(plugin, 3, 1.2f);
    EXPECT_EQ(Value(plugin, 3), 1.0f);
    EXPECT_EQ(Display(plugin, 3), "1.0000");
    Set(plugin, 10, 7.0f);
    EXPECT_EQ(Display(plugin, 10), "Swing");

    // Automation that undershoots by a hair or by far is the bottom.
    Set(plugin, 3, -0.2f);
    EXPECT_EQ(Value(plugin, 3), 0.0f);
    EXPECT_EQ(Display(plugin, 3), "0.0000");
    Set(plugin, 1, -1e-7f);
    EXPECT_EQ(Display(plugin, 1), "-100");
    Set(plugin, 10, -3.0f);
    EXPECT_EQ(Display(plugin, 10), "Off");

    // Not a number is no value at all.
    Set(plugin, 4, 0.5f);
    Set(plugin, 4, std::numeric_limits<float>::quiet_NaN());
    Set(plugin, 4, std::numeric_limits<float>::infinity());
    EXPECT_EQ(Value(plugin, 4), 0.5f);
}

TEST(Parameters, NoValueFromTheHostMakesTheSoundGrowWithoutBound)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    plugin.Start();
    EventBatch chord;
    for (int note : {48, 55, 60, 64, 67})
        chord.Midi(0, 0x90, note, 127);
    Render(plugin, 512, &chord);
    for (const float wild : {-1.0f, -1e30f, -std::numeric_limits<float>::max(), 1e30f}) {
        for (int32_t i = 0; i < kParameters; ++i)
            Set(plugin, i, wild);
        const std::vector<float> sound = Render(plugin, 8192);
        for (const float sample : sound)
            ASSERT_TRUE(std::isfinite(sample)) << wild;
        // Everything at either end of its range: loud, but a few notes
        // stay within a few units.
        EXPECT_LT(Peak(sound), 4.0f) << wild;
    }
}

TEST(Parameters, TextTypedIntoTheHostSetsTheValue)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    EXPECT_EQ(Parse(plugin, 0, "0.25"), 1);
    EXPECT_EQ(Value(plugin, 0), 0.25f);
    EXPECT_EQ(Display(plugin, 0), "-12.0");

    EXPECT_EQ(Parse(plugin, 1, "-0.5"), 1);
    EXPECT_EQ(Value(plugin, 1), 0.25f);

    EXPECT_EQ(Parse(plugin, 3, "2.5"), 1);  // above the range: the maximum
    EXPECT_EQ(Value(plugin, 3), 1.0f);
    EXPECT_EQ(Parse(plugin, 3, "-4"), 1);  // below: the minimum
    EXPECT_EQ(Value(plugin, 3), 0.0f);
    EXPECT_EQ(Parse(plugin, 4, "0.75 and more"), 1);
    EXPECT_EQ(Value(plugin, 4), 0.75f);
    EXPECT_EQ(Parse(plugin, 4, "loud"), 1);  // no number reads as 0
    EXPECT_EQ(Value(plugin, 4), 0.0f);

    // Not rounded to the step.
    EXPECT_EQ(Parse(plugin, 11, "0.1234"), 1);
    EXPECT_EQ(Value(plugin, 11), 0.1234f);
    EXPECT_EQ(Display(plugin, 11), "0.123");

    // "Morph Mode" takes its own texts, exactly.
    EXPECT_EQ(Parse(plugin, 10, "Swing"), 1);
    EXPECT_EQ(Value(plugin, 10), 1.0f);
    EXPECT_EQ(Parse(plugin, 10, "Once"), 1);
    EXPECT_EQ(Display(plugin, 10), "Once");
    for (const char* unknown : {"one shot", "Bogus", "2", ""}) {
        EXPECT_EQ(Parse(plugin, 10, unknown), 0) << unknown;
        EXPECT_EQ(Display(plugin, 10), "Once") << unknown;
    }

    // A null text is accepted and changes nothing.
    EXPECT_EQ(plugin.Dispatch(vst::effString2Parameter, 0, 0, nullptr), 1);
    EXPECT_EQ(Value(plugin, 0), 0.25f);
}

TEST(Parameters, ChangesFromTheHostReachTheSound)
{
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    plugin.Start();
    SelectProgram(plugin, 48);
    EventBatch note;
    note.Midi(0, 0x90, 60, 100);
    Set(plugin, 0, 0.0f);  // Volume -oo
    EXPECT_LT(Peak(Render(plugin, 4096, &note)), 1e-6f);
    EXPECT_EQ(Parse(plugin, 0, "1"), 1);
    EXPECT_GT(Peak(Render(plugin, 4096)), 0.01f);
}

// Hosts built on Qt or GTK run in the user's locale; what the plug-in shows
// and reads keeps its "." all the same.
TEST(Parameters, TextsKeepTheirDecimalPointInAHostWithACommaLocale)
{
    CommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << "no locale with a decimal comma could be set up here";
    HostedPlugin plugin;
    ASSERT_LOADED(plugin);
    const struct {
        int32_t index;
        float normalised;
        const char* text;
    } displays[] = {{0, 0.5f, "-6.0"}, {1, 0.625f, "+25"}, {3, 0.25f, "0.2500"}, {11, 0.3f, "0.300"}};
    for (const auto& c : displays) {
        Set(plugin, c.index, c.normalised);
        EXPECT_EQ(Display(plugin, c.index), c.text) << c.index;
        EXPECT_EQ(Preview(plugin, c.index, c.normalised), c.text) << c.index;
    }
    EXPECT_EQ(Parse(plugin, 3, "0.25"), 1);
    EXPECT_EQ(Value(plugin, 3), 0.25f);
    EXPECT_EQ(Parse(plugin, 3, "0,75"), 1);  // read as far as a C program reads it
    EXPECT_EQ(Value(plugin, 3), 0.0f);
}
