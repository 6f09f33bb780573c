// Binding controllers to parameters by learning, forgetting bindings, saving
// them to the settings file for the next instance; and settings files a
// user created, broke or never had.
#include "engine/SynthGlobals.h"
#include "tests/instrument/InstrumentView.h"
#include "tests/instrument/MidiBatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <random>
#include <set>

using namespace orv::engine;
using namespace orv::framework;
using namespace orv::instrument;
using namespace orv::platform;

using namespace instrumenttest;

namespace {

// Sends one controller and renders a block, as a host would.
void Controller(vst::AEffect* effect, uint8_t number, uint8_t value)
{
    MidiBatch<1> batch;
    batch.Add(0, 0xB0, number, value);
    effect->dispatcher(effect, vst::effProcessEvents, 0, 0, batch.Events(), 0.0f);
    float left[256], right[256];
    float* outputs[] = {left, right};
    effect->processReplacing(effect, nullptr, outputs, 256);
}

void Controller(InstrumentFixture& fixture, uint8_t number, uint8_t value)
{
    Controller(fixture.effect, number, value);
}

void Touch(vst::AEffect* effect, int index, float normalised)
{
    effect->setParameter(effect, index, normalised);
}

void Touch(InstrumentFixture& fixture, int index, float normalised)
{
    Touch(fixture.effect, index, normalised);
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// Windows keeps the settings in the account's own folder, which a test cannot
// move, and Wine caches settings files by time stamp, so a file rewritten by
// hand within the same second may be read stale. The tests that write the
// file by hand run where the folder is private; the file's semantics are
// tested on both systems by the platform tests.
#if defined(_WIN32)
#define SKIP_WITHOUT_PRIVATE_SETTINGS() GTEST_SKIP() << "the settings folder is shared here"
#else
#define SKIP_WITHOUT_PRIVATE_SETTINGS() static_cast<void>(0)
#endif

// The settings file the fixture's instance uses, emptied again at the end:
// where the system does not let a test move the settings folder, every test
// shares that file.
class SettingsFile {
public:
    explicit SettingsFile(const InstrumentFixture& fixture) : path(fixture.plugin->IniPath()) {}
    ~SettingsFile() { WriteText(path, ""); }
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    void Write(const std::string& text) const { WriteText(path, text); }
    std::string Read() const { return ReadText(path); }

    const std::filesystem::path path;
};

// The keys of one section of an INI text.
std::set<std::string> KeysOf(const std::string& text, const std::string& section)
{
    std::set<std::string> keys;
    bool inside = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[')
            inside = line == "[" + section + "]";
        else if (inside && line.find('=') != std::string::npos)
            keys.insert(line);
        start = end + 1;
    }
    return keys;
}

// A second instance created in the same settings folder.
std::unique_ptr<ORV> AnotherInstance()
{
    auto plugin = std::make_unique<ORV>(nullptr);
    plugin->FillEmptyPrograms(plugin->ProgramCount());
    return plugin;
}

}  // namespace

TEST(MidiLearn, ControllerThenParameterBinds)
{
    InstrumentFixture fixture;
    ORV& plugin = *fixture.plugin;
    const double vivid = plugin.GetParameter(3).value;
    plugin.ArmMidiLearn(true, false);
    Controller(fixture, 74, 127);
    EXPECT_EQ(plugin.GetParameter(3).value, vivid) << "the captured controller is not played";
    EXPECT_TRUE(plugin.LearnArmed());
    Touch(fixture, 3, 0.5f);
    EXPECT_EQ(plugin.ControlMap()[74], 3);
    EXPECT_FALSE(plugin.LearnArmed());

    Controller(fixture, 74, 127);
    EXPECT_EQ(plugin.GetParameter(3).value, 1.0);
    Controller(fixture, 74, 0);
    EXPECT_EQ(plugin.GetParameter(3).value, 0.0);
}

TEST(MidiLearn, ParameterThenControllerBinds)
{
    InstrumentFixture fixture;
    ORV& plugin = *fixture.plugin;
    plugin.ArmMidiLearn(true, false);
    Touch(fixture, 4, 0.3f);
    EXPECT_TRUE(plugin.LearnArmed());
    Controller(fixture, 20, 64);
    EXPECT_EQ(plugin.ControlMap()[20], 4);
    EXPECT_FALSE(plugin.LearnArmed());
    EXPECT_NEAR(plugin.GetParameter(4).value, 0.3, 1e-7) << "the captured controller is not played";

    // Controllers from 120 on are never learned.
    plugin.ArmMidiLearn(true, false);
    Controller(fixture, 121, 5);
    Touch(fixture, 6, 0.5f);
    EXPECT_TRUE(plugin.LearnArmed());
    EXPECT_EQ(std::count(plugin.ControlMap(), plugin.ControlMap() + 120, 6), 0);
}

TEST(MidiLearn, LearningAgainMovesTheBinding)
{
    InstrumentFixture fixture;
    ORV& plugin = *fixture.plugin;
    plugin.ArmMidiLearn(true, false);
    Controller(fixture, 74, 0);
    Touch(fixture, 3, 0.5f);
    plugin.ArmMidiLearn(true, false);
    Controller(fixture, 75, 0);
    Touch(fixture, 3, 0.5f);
    EXPECT_EQ(plugin.ControlMap()[74], -1);
    EXPECT_EQ(plugin.ControlMap()[75], 3);

    // One controller drives one parameter: binding 75 elsewhere frees Vivid.
    plugin.ArmMidiLearn(true, false);
    Touch(fixture, 5, 0.5f);
    Controller(fixture, 75, 0);
    EXPECT_EQ(plugin.ControlMap()[75], 5);
    EXPECT_EQ(std::count(plugin.ControlMap(), plugin.ControlMap() + 120, 3), 0);
}

TEST(MidiLearn, ForgetModeUnbindsWithTheFirstControllerOrParameter)
{
    InstrumentFixture fixture;
    ORV& plugin = *fixture.plugin;
    for (auto [controller, parameter] : {std::pair{20, 4}, std::pair{21, 5}}) {
        plugin.ArmMidiLearn(true, false);
        Controller(fixture, static_cast<uint8_t>(controller), 0);
        Touch(fixture, parameter, 0.5f);
    }
    plugin.ArmMidiLearn(true, true);
    Controller(fixture, 20, 99);
    EXPECT_EQ(plugin.ControlMap()[20], -1);
    EXPECT_FALSE(plugin.LearnArmed());
    EXPECT_NEAR(plugin.GetParameter(4).value, 0.5, 1e-7);

    plugin.ArmMidiLearn(true, true);
    Touch(fixture, 5, 0.25f);
    EXPECT_EQ(plugin.ControlMap()[21], -1);
    EXPECT_FALSE(plugin.LearnArmed());

    // A reset of processing (new sample rate) ends a learn in progress.
    plugin.ArmMidiLearn(true, false);
    fixture.Dispatch(vst::effSetSampleRate, 0, 0, nullptr, 48000.0f);
    EXPECT_FALSE(plugin.LearnArmed());
}

TEST(MidiLearn, ModWheelAndSustainKeepTheirMeaningWhenBound)
{
    InstrumentFixture fixture;
    ORV& plugin = *fixture.plugin;
    for (auto [controller, parameter] : {std::pair{1, 4}, std::pair{64, 6}}) {
        plugin.ArmMidiLearn(true, false);
        Controller(fixture, static_cast<uint8_t>(controller), 0);
        Touch(fixture, parameter, 0.5f);
        EXPECT_EQ(plugin.ControlMap()[controller], parameter);
        Controller(fixture, static_cast<uint8_t>(controller), 127);
        EXPECT_NEAR(plugin.GetParameter(parameter).value, 0.5, 1e-7) << controller;
    }
}

TEST(MidiLearn, SavedBindingsReachTheNextInstance)
{
    SKIP_WITHOUT_PRIVATE_SETTINGS();
    InstrumentFixture fixture;
    const SettingsFile settings(fixture);
    settings.Write("[MIDI Control]\nCC5=2\n");
    auto plugin = AnotherInstance();
    ASSERT_EQ(plugin->ControlMap()[5], 2);

    vst::AEffect* effect = plugin->Effect();
    plugin->ArmMidiLearn(true, true);
    Controller(effect, 5, 0);
    plugin->ArmMidiLearn(true, false);
    Controller(effect, 20, 0);
    Touch(effect, 4, 0.5f);
    plugin->SetMidiThru(true);
    plugin->WriteConfiguration(Synth::kConfigAll);

    EXPECT_EQ(KeysOf(settings.Read(), "MIDI Control"), std::set<std::string>{"CC20=4"});
    auto next = AnotherInstance();
    for (int controller = 0; controller < 120; ++controller)
        EXPECT_EQ(next->ControlMap()[controller], controller == 20 ? 4 : -1) << controller;
    EXPECT_TRUE(next->MidiThru());
    EXPECT_FALSE(next->IgnoresProgramChange());
}

TEST(MidiLearn, ExactlyTheBoundControllersAreSaved)
{
    SKIP_WITHOUT_PRIVATE_SETTINGS();
    InstrumentFixture fixture;
    const SettingsFile settings(fixture);
    ORV& plugin = *fixture.plugin;
    for (auto [controller, parameter] : {std::pair{1, 0}, std::pair{74, 3}, std::pair{119, 7}, std::pair{0, 11}}) {
        plugin.ArmMidiLearn(true, false);
        Controller(fixture, static_cast<uint8_t>(controller), 0);
        Touch(fixture, parameter, 0.5f);
    }
    plugin.WriteConfiguration(Synth::kConfigAll);
    EXPECT_EQ(KeysOf(settings.Read(), "MIDI Control"), (std::set<std::string>{"CC0=11", "CC1=0", "CC74=3", "CC119=7"}));
}

TEST(Configuration, FirstStartCreatesAnEmptySettingsFile)
{
    SKIP_WITHOUT_PRIVATE_SETTINGS();
    InstrumentFixture fixture;
    const std::filesystem::path file = fixture.plugin->IniPath();
    EXPECT_EQ(file.filename(), "orv.ini");
    EXPECT_EQ(file.parent_path().filename(), "Tarnwick");
    ASSERT_TRUE(std::filesystem::is_regular_file(file));
    if (file == fixture.settings.Path() / "Tarnwick" / "orv.ini") {  // the private folder was honoured
        EXPECT_EQ(std::filesystem::file_size(file), 0u);
    }
    for (int controller = 0; controller < 120; ++controller)
        EXPECT_EQ(fixture.plugin->ControlMap()[controller], -1);
    EXPECT_FALSE(fixture.plugin->MidiThru());
    EXPECT_EQ(fixture.plugin->StartupBankPath(), "");
    EXPECT_STREQ(fixture.plugin->GetProgramName(0), "Ice Palace");
}

TEST(Configuration, HostileSettingsFilesAreSurvived)
{
    SKIP_WITHOUT_PRIVATE_SETTINGS();
    InstrumentFixture fixture;
    const SettingsFile settings(fixture);
    std::mt19937 random(99);
    std::string junk;
    for (int i = 0; i < 65536; ++i)
        junk.push_back(static_cast<char>(random()));
    const std::string hostile[] = {
        junk,
        "[MIDI Control]\nCC74=3\n" + std::string(1 << 20, 'x'),
        "[MIDI Control]\nCC74=" + std::string(100000, '9') + "\nCC75=3",
        "CC74=3\n[MIDI Control\nCC74=4\n[]\n=5\n[MIDI Control]\r\nCC74=2\r\nCC74=9\r\nCC-1=3\nCC120=1\nCC7=\n"
        "CC8=abc\nCC9=7abc\nCC10=0\nCC11=-2147483649\n[MIDI Control]\nCC74=8\nCC12=1\n",
        "[Global]\nPitch Bend Range=-0\nVibrato Rate=abc\n[Startup Bank]\nFile=" + std::string(5000, '/'),
        std::string("[MIDI Global]\0\nMIDI Thru=true\n", 31),
    };
    for (const std::string& text : hostile) {
        settings.Write(text);
        auto plugin = AnotherInstance();
        ASSERT_STREQ(plugin->GetProgramName(0), "Ice Palace");
    }

    // The duplicates: the first section and its first key count.
    settings.Write(hostile[3]);
    auto plugin = AnotherInstance();
    EXPECT_EQ(plugin->ControlMap()[74], 2);
    EXPECT_EQ(plugin->ControlMap()[7], -1);
    EXPECT_EQ(plugin->ControlMap()[8], -1);
    EXPECT_EQ(plugin->ControlMap()[9], 7);
    EXPECT_EQ(plugin->ControlMap()[10], 0);
    EXPECT_EQ(plugin->ControlMap()[12], -1);
    GlobalSynthSettings() = SynthGlobals{};
}

// "inf", "nan" and huge numbers typed into the file must neither reach the
// host as samples that are not numbers nor overflow the oscillators' integer
// pitch arithmetic.
TEST(Configuration, NonsenseSoundSettingsStillGiveFiniteSound)
{
    SKIP_WITHOUT_PRIVATE_SETTINGS();
    const char* nonsense[] = {
        "[Global]\nVelocity=inf\n",
        "[Filter]\nCutoff=-inf\nResonance=1e308\n",
        "[Sine]\nVolume=1e300\n",
        "[Master Envelope]\nDecay Soft=nan\n",
        "[Global]\nPitch Bend Range=1e308\n",
        "[Sine]\nTranspose=-1e9\n",
    };
    for (const char* text : nonsense) {
        SCOPED_TRACE(text);
        InstrumentFixture fixture;
        const SettingsFile settings(fixture);
        settings.Write(text);
        auto plugin = AnotherInstance();
        vst::AEffect* effect = plugin->Effect();
        effect->dispatcher(effect, vst::effSetSampleRate, 0, 0, nullptr, 44100.0f);
        effect->dispatcher(effect, vst::effSetBlockSize, 0, 256, nullptr, 0.0f);
        effect->dispatcher(effect, vst::effMainsChanged, 0, 1, nullptr, 0.0f);
        plugin->SwitchProgram(48);
        MidiBatch<3> notes;
        notes.Add(0, 0x90, 60, 100);
        notes.Add(0, 0xE0, 0, 127);
        effect->dispatcher(effect, vst::effProcessEvents, 0, 0, notes.Events(), 0.0f);
        float left[256], right[256];
        float* outputs[] = {left, right};
        bool finite = true;
        for (int block = 0; block < 40; ++block) {
            effect->processReplacing(effect, nullptr, outputs, 256);
            for (int i = 0; i < 256; ++i)
                finite = finite && std::isfinite(left[i]) && std::isfinite(right[i]);
        }
        EXPECT_TRUE(finite);
        GlobalSynthSettings() = SynthGlobals{};
    }
}
