// Creating an instance while the user's settings file "orv.ini" is small
// (the instrument's own keys) or padded to 1 MB with sections of other
// programs and comments. Hosts create instances while scanning, so one
// should stay well under 50 ms whatever the size of the file.
// Argument: the file's size in KiB (0: only the instrument's keys).
#include "instrument/ORV.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace orv::engine;
using namespace orv::framework;
using namespace orv::instrument;
using namespace orv::platform;

namespace {

// What a well-used file holds: settings, learned controllers, synth-global keys.
std::string InstrumentKeys()
{
    std::string text = "[Global]\nPath to Program Files=/home/user/Documents/ORV\nVibrato Rate=5.5\n"
                       "[MIDI Global]\nMIDI Thru=false\nIgnore Program Change=true\n"
                       "[Startup Bank]\nFile=/home/user/Documents/ORV/live.fxb\n[MIDI Control]\n";
    for (int cc = 0; cc < 120; cc += 3)
        text += "CC" + std::to_string(cc) + "=" + std::to_string(cc % 12) + "\n";
    text += "[Filter]\nCutoff=2.5\nResonance=0.4\n[Glass Phaser]\nRate=0.7\n";
    return text;
}

std::string Padding(size_t bytes)
{
    std::string text;
    for (int section = 0; text.size() < bytes; ++section) {
        text += "[Other Program " + std::to_string(section) + "]\n; remembered by another program\n";
        for (int key = 0; key < 40 && text.size() < bytes; ++key)
            text += "Recent File " + std::to_string(key) + "=/home/user/Music/project-" + std::to_string(key) +
                    ".session\n";
    }
    return text;
}

// A private settings folder (XDG_CONFIG_HOME) holding Tarnwick/orv.ini.
class SettingsFolder {
public:
    explicit SettingsFolder(size_t paddingBytes)
    {
        folder = std::filesystem::temp_directory_path() / ("orv-settings-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder / "Tarnwick");
        // Half the padding before the instrument's sections, half after.
        std::ofstream(folder / "Tarnwick" / "orv.ini", std::ios::binary)
            << Padding(paddingBytes / 2) << InstrumentKeys() << Padding(paddingBytes / 2);
        setenv("XDG_CONFIG_HOME", folder.string().c_str(), 1);
    }
    ~SettingsFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    uintmax_t FileSize() const { return std::filesystem::file_size(folder / "Tarnwick" / "orv.ini"); }

private:
    std::filesystem::path folder;
};

void CreateInstance(benchmark::State& state)
{
    const SettingsFolder settings(static_cast<size_t>(state.range(0)) * 1024);
    for (auto _ : state) {
        ORV instrument(nullptr);
        benchmark::DoNotOptimize(&instrument);
    }
    state.SetLabel(std::to_string(settings.FileSize()) + " bytes");
}

}  // namespace

BENCHMARK(CreateInstance)->Arg(0)->Arg(1024)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK_MAIN();
