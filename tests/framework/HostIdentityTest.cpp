// Which host the plug-in believes it runs in, from the strings the host
// reports, and the vendors that get program chunks only.
#include "tests/framework/RecordingPlugin.h"

#include <gtest/gtest.h>

using namespace orv::framework;

using namespace hosttest;

TEST(HostIdentity, TheFirstNameInTableOrderWins)
{
    const struct {
        const char* product;
        int32_t code;
    } cases[] = {
        {"Nuendo Cubase", 3},  // "cubase" comes before "nuendo" in the table
        {"Nuendo", 4},
        {"REAPER", 1},       // case does not matter
        {"reaper live", 1},  // "reaper" before "live"
        {"Ableton Live 11", 9},
        {"Cakewalk by BandLab", 5},
        {"Digital Performer", 23},
        {"Renoise", 29},
        {"OpenMPT", 30},
        {"Bitwig Studio", 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        ScriptedHost host;
        host.productString = c.product;
        host.vendorVersion = 10000;
        RecordingPlugin plugin(host);
        EXPECT_EQ(plugin.IdentifyHost(), c.code) << c.product;
    }
}

TEST(HostIdentity, HostVersionIsKeptAsMajorMinorBugFix)
{
    ScriptedHost host;
    host.productString = "REAPER";
    host.vendorVersion = 20304;
    RecordingPlugin plugin(host);
    plugin.IdentifyHost();
    EXPECT_EQ(plugin.HostVersion(), 0x00020304);

    ScriptedHost nameless;
    nameless.vendorVersion = 20304;
    RecordingPlugin quiet(nameless);
    EXPECT_EQ(quiet.IdentifyHost(), 0);
    EXPECT_EQ(quiet.HostVersion(), 0);
    EXPECT_EQ(nameless.CountOf(vst::audioMasterGetVendorVersion), 0u);
}

TEST(HostIdentity, IsAskedOnceAndRemembered)
{
    ScriptedHost host;
    host.productString = "Ableton Live 11";
    RecordingPlugin plugin(host);
    EXPECT_EQ(plugin.IdentifyHost(), 9);
    host.productString = "REAPER";
    EXPECT_EQ(plugin.IdentifyHost(), 9);
    EXPECT_EQ(host.CountOf(vst::audioMasterGetProductString), 1u);
}

TEST(HostIdentity, ProgramChunkVendorsMustMatchExactly)
{
    const struct {
        const char* vendor;
        bool programChunks;
    } cases[] = {
        {"Native Instruments", true},
        {"NATIVE INSTRUMENTS", true},
        {"JUCE VST Host", true},
        {"Native Instruments GmbH", false},
        {"Native Instrument", false},
        {"", false},
        {"Cockos", false},
    };
    for (const auto& c : cases) {
        ScriptedHost host;
        host.vendorString = c.vendor;
        RecordingPlugin plugin(host);
        EXPECT_EQ(plugin.HostNeedsProgramChunks(), c.programChunks) << c.vendor;
        host.vendorString = c.programChunks ? "Cockos" : "Native Instruments";
        EXPECT_EQ(plugin.HostNeedsProgramChunks(), c.programChunks) << "remembered: " << c.vendor;
        EXPECT_EQ(host.CountOf(vst::audioMasterGetVendorString), 1u);
    }
}

TEST(HostIdentity, CockosQueriesAreRemembered)
{
    ScriptedHost host;
    RecordingPlugin plugin(host);
    char extensions[] = "hasCockosExtensions";
    char viewAsConfig[] = "hasCockosViewAsConfig";
    char upperCase[] = "HASCOCKOSEXTENSIONS";
    EXPECT_EQ(plugin.HostExtensionFlags(), 0);
    plugin.Dispatch(vst::effCanDo, 0, 0, upperCase);
    EXPECT_EQ(plugin.HostExtensionFlags(), 0);
    plugin.Dispatch(vst::effCanDo, 0, 0, extensions);
    EXPECT_EQ(plugin.HostExtensionFlags(), 1);
    plugin.Dispatch(vst::effCanDo, 0, 0, viewAsConfig);
    EXPECT_EQ(plugin.HostExtensionFlags(), 3);
}
