// The user's settings file, written by hand before the host creates an
// instance: controllers bound to parameters, sound settings shared by every
// instance, and the global MIDI switches.
#include "tests/host/HostView.h"
#include "tests/host/PrivateSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

using namespace hosttest;

namespace {

constexpr float kRate = 44100.0f;

class SettingsFile : public ::testing::Test {
protected:
    void TearDown() override
    {
        // The sound settings belong to the whole process: put back the
        // defaults of every key these tests touch, through an instance.
        WriteSettingsFile("[Global]\nPitch Bend Range=2\n[Sine]\nVolume=1\n");
        HostedPlugin reset;
        WriteSettingsFile("");
    }

    // An instance created with the settings file holding text, playing.
    static std::unique_ptr<HostedPlugin> CreateWith(const std::string& text)
    {
        WriteSettingsFile(text);
        auto plugin = std::make_unique<HostedPlugin>();
        plugin->Start(kRate, 64);
        return plugin;
    }
};

// The pitch of a plain tone from its rising zero crossings.
double Frequency(const std::vector<float>& samples, size_t from, size_t to)
{
    double first = -1.0, last = -1.0;
    int crossings = 0;
    for (size_t i = from + 1; i < to; ++i) {
        if (samples[i - 1] < 0.0f && samples[i] >= 0.0f) {
            const double at = static_cast<double>(i - 1) + samples[i - 1] / (samples[i - 1] - samples[i]);
            if (first < 0.0)
                first = at;
            last = at;
            ++crossings;
        }
    }
    return crossings < 2 ? 0.0 : (crossings - 1) * kRate / (last - first);
}

// A4 on the "Init" program (the pad centre) with the wheel bent fully up.
double BentPitch(HostedPlugin& plugin)
{
    SelectProgram(plugin, 48);
    EventBatch events;
    events.Midi(0, 0xE0, 0x7f, 0x7f).Midi(0, 0x90, 69, 100);
    const std::vector<float> sound = Render(plugin, 22050, &events);
    return Frequency(sound, 8820, 22050);
}

bool Forwarded(const ScriptedHost& host, uint8_t status, uint8_t data1)
{
    for (const HostCall& call : host.CallsOf(vst::audioMasterProcessEvents))
        for (const SentEvent& event : call.events)
            if (event.type == vst::kVstMidiType && static_cast<uint8_t>(event.midi.midiData[0]) == status &&
                static_cast<uint8_t>(event.midi.midiData[1]) == data1)
                return true;
    return false;
}

}  // namespace

TEST_F(SettingsFile, ControllersBoundThereMoveTheirParameters)
{
    auto plugin = CreateWith("[MIDI Control]\nCC74=3\nCC7=0\nCC16=1\nCC1=4\nCC20=12\nCC21=-5\nCC22=abc\n");
    ASSERT_LOADED(*plugin);
    SelectProgram(*plugin, 48);
    plugin->host.ClearCalls();

    EventBatch vivid;
    vivid.Midi(10, 0xB0, 74, 64);
    Render(*plugin, 64, &vivid);
    EXPECT_EQ(Value(*plugin, 3), 64.0f / 127.0f);
    const std::vector<HostCall> automated = plugin->host.CallsOf(vst::audioMasterAutomate);
    ASSERT_EQ(automated.size(), 1u);
    EXPECT_EQ(automated[0].index, 3);
    EXPECT_FLOAT_EQ(automated[0].opt, 64.0f / 127.0f);

    // The same value again is no change, and the host hears nothing of it.
    Render(*plugin, 64, &vivid);
    EXPECT_EQ(plugin->host.CountOf(vst::audioMasterAutomate), 1u);

    EventBatch others;
    others.Midi(0, 0xB5, 7, 0).Midi(0, 0xB0, 16, 0);
    Render(*plugin, 64, &others);
    EXPECT_EQ(Display(*plugin, 0), "-oo");
    EXPECT_EQ(Display(*plugin, 1), "-100");  // from the centre to the edge

    // The mod wheel keeps its meaning; entries that name no parameter do nothing.
    const std::vector<float> before = Values(*plugin);
    plugin->host.ClearCalls();
    EventBatch ignored;
    ignored.Midi(0, 0xB0, 1, 127).Midi(0, 0xB0, 20, 127).Midi(0, 0xB0, 21, 127).Midi(0, 0xB0, 22, 127);
    Render(*plugin, 64, &ignored);
    EXPECT_EQ(Values(*plugin), before);
    EXPECT_EQ(plugin->host.CountOf(vst::audioMasterAutomate), 0u);
}

TEST_F(SettingsFile, PitchBendRangeIsWholeSemitones)
{
    auto standard = CreateWith("");
    ASSERT_LOADED(*standard);
    EXPECT_NEAR(BentPitch(*standard), 440.0 * std::pow(2.0, 2.0 / 12.0), 3.0);

    auto octave = CreateWith("[Global]\nPitch Bend Range=12.9\n");
    ASSERT_LOADED(*octave);
    EXPECT_NEAR(BentPitch(*octave), 880.0, 5.0);
}

TEST_F(SettingsFile, SineVolumeZeroSilencesThePadCentre)
{
    EventBatch note;
    note.Midi(0, 0x90, 60, 100);
    auto standard = CreateWith("");
    ASSERT_LOADED(*standard);
    SelectProgram(*standard, 48);
    EXPECT_GT(Peak(Render(*standard, 8192, &note)), 0.01f);

    // A voice's filters start from a non-zero state, which gives its very
    // first note a faint onset; after that, nothing.
    auto silent = CreateWith("[Sine]\nVolume=0\n");
    ASSERT_LOADED(*silent);
    SelectProgram(*silent, 48);
    const std::vector<float> sound = Render(*silent, 8192, &note);
    EXPECT_LT(Peak(std::vector<float>(sound.begin() + 2048, sound.end())), 1e-6f);
}

TEST_F(SettingsFile, MidiThruPassesEveryMessageToTheHost)
{
    EventBatch events;
    events.Midi(0, 0x90, 60, 100).Midi(3, 0xD0, 40, 0).Midi(5, 0xB2, 74, 9).Midi(7, 0xC0, 2, 0);
    for (const char* text : {"TRUE", "true", "yes", ""}) {
        SCOPED_TRACE(text);
        auto plugin = CreateWith(std::string("[MIDI Global]\nMIDI Thru=") + text + "\n");
        ASSERT_LOADED(*plugin);
        Render(*plugin, 64, &events);
        const bool on = std::string(text) == "TRUE" || std::string(text) == "true";
        EXPECT_EQ(Forwarded(plugin->host, 0x90, 60), on);
        EXPECT_EQ(Forwarded(plugin->host, 0xD0, 40), on);  // though the instrument ignores it
        EXPECT_EQ(Forwarded(plugin->host, 0xB2, 74), on);
        EXPECT_EQ(Forwarded(plugin->host, 0xC0, 2), on);
    }
}

TEST_F(SettingsFile, ProgramChangesCanBeIgnored)
{
    auto plugin = CreateWith("[MIDI Global]\nIgnore Program Change=True\n");
    ASSERT_LOADED(*plugin);
    EventBatch change;
    change.Midi(0, 0xC0, 5, 0);
    Render(*plugin, 64, &change);
    EXPECT_EQ(plugin->Dispatch(vst::effGetProgram), 0);

    auto listening = CreateWith("[MIDI Global]\nIgnore Program Change=false\n");
    ASSERT_LOADED(*listening);
    Render(*listening, 64, &change);
    EXPECT_EQ(listening->Dispatch(vst::effGetProgram), 5);
}
