// orvhost render PLUGIN -o FILE: plays MIDI through a plug-in offline, block
// by block as a DAW's export does, and writes what it outputs to a WAV file.

#include "platform/FileContents.h"
#include "tools/orvhost/Command.h"
#include "tools/orvhost/CommandSupport.h"
#include "tools/orvhost/DemoPhrase.h"
#include "tools/orvhost/ExitCode.h"
#include "tools/orvhost/HostSession.h"
#include "tools/orvhost/MidiEventList.h"
#include "tools/orvhost/MidiFile.h"
#include "tools/orvhost/MidiFileSong.h"
#include "tools/orvhost/MidiSchedule.h"
#include "tools/orvhost/OptionValues.h"
#include "tools/orvhost/ProgressMeter.h"
#include "tools/orvhost/StateSetup.h"
#include "tools/orvhost/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace orv::host {

namespace {

constexpr int64_t kMinRate = 8000;
constexpr int64_t kMaxRate = 384000;
constexpr int64_t kMaxBlock = 65536;
constexpr double kMaxSeconds = 3600.0;
// More channels than a WAV file (and any sane plug-in) has.
constexpr int32_t kMaxChannels = 1024;

// Release tails after the music, unless --seconds says otherwise.
constexpr double kTailSeconds = 2.0;

struct RenderSettings {
    PluginArguments arguments;
    std::string plugin;
    std::string output;
    const CLI::Option* outputOption = nullptr;
    std::string midiPath;
    const CLI::Option* midiOption = nullptr;
    const CLI::Option* secondsOption = nullptr;
    double seconds = 0.0;
    int32_t rate = 44100;
    int32_t block = 512;
    int64_t totalFrames = 0;
};

// What the parse left that it could not check alone: the positional word,
// the output, the length against the rate.
bool ReadSettings(RenderSettings& settings, std::string& error)
{
    if (!ReadPositionals(settings.arguments.words, {kPluginWord}, error))
        return false;
    settings.plugin = settings.arguments.words[0];
    if (settings.output.empty()) {
        error = settings.outputOption->count() > 0 ? "-o needs a file name" : "missing -o FILE (the WAV file to write)";
        return false;
    }
    if (settings.secondsOption->count() > 0) {
        settings.totalFrames = std::llround(settings.seconds * settings.rate);
        if (settings.totalFrames < 1) {
            error = "--seconds '" + settings.secondsOption->as<std::string>() + "' is shorter than one frame at " +
                    std::to_string(settings.rate) + " Hz";
            return false;
        }
    }
    if (settings.midiOption->count() > 0 && settings.midiPath.empty()) {
        error = "--midi needs a file name";
        return false;
    }
    return true;
}

// The music to play: the MIDI file, or else the built-in phrase.
bool LoadSong(const RenderSettings& settings, Song& song, const Console& console)
{
    if (settings.midiPath.empty()) {
        song = BuildDemoPhrase(settings.rate);
        return true;
    }
    std::vector<uint8_t> bytes;
    std::string error;
    if (platform::ReadWholeFile(settings.midiPath, kMaxMidiFileBytes, platform::FileSource::kAnyFile, bytes, error) !=
        platform::FileReadResult::Read) {
        console.Error("cannot read " + settings.midiPath + ": " + error);
        return false;
    }
    MidiFile file;
    if (!ParseMidiFile(bytes, file, error)) {
        console.Error("cannot play " + settings.midiPath + ": " + error);
        return false;
    }
    song = SongFromMidiFile(file, settings.rate);
    console.Note("playing " + settings.midiPath + ": format " + std::to_string(file.format) + ", " +
                 std::to_string(file.trackCount) + " tracks, " + std::to_string(file.events.size()) +
                 " channel messages, " + std::to_string(file.tempos.size()) + " tempo changes");
    if (file.sysexCount > 0)
        console.Note("skipped " + std::to_string(file.sysexCount) + " system exclusive messages");
    return true;
}

// Without --seconds the render lasts as long as the music and its tail.
bool SetLength(RenderSettings& settings, const Song& song, const Console& console)
{
    if (settings.secondsOption->count() > 0)
        return true;
    settings.seconds = song.seconds + kTailSeconds;
    if (!(settings.seconds <= kMaxSeconds)) {
        console.UsageError("render", settings.midiPath + " lasts " + std::to_string(std::llround(song.seconds)) +
                                         " s; a render may last " + std::to_string(std::llround(kMaxSeconds)) +
                                         " s at most: give --seconds");
        return false;
    }
    settings.totalFrames = std::max<int64_t>(1, std::llround(settings.seconds * settings.rate));
    return true;
}

// Planar float buffers of one block and the pointer array a plug-in takes.
class ChannelBuffers {
public:
    ChannelBuffers(int32_t channels, int32_t frames)
        : samples(static_cast<size_t>(channels) * static_cast<size_t>(frames)),
          // At least one entry, so the plug-in never gets a null array.
          pointers(std::max(channels, 1), nullptr)
    {
        for (int32_t channel = 0; channel < channels; ++channel)
            pointers[channel] = samples.data() + static_cast<size_t>(channel) * frames;
    }

    void Clear() { std::fill(samples.begin(), samples.end(), 0.0f); }
    float** Pointers() { return pointers.data(); }

private:
    std::vector<float> samples;
    std::vector<float*> pointers;
};

// What the render produced, for the verbose report and warnings.
struct SignalSummary {
    float peak = 0.0f;
    int64_t nonFinite = 0;

    void Take(float* const* channels, int32_t channelCount, int32_t frames)
    {
        for (int32_t channel = 0; channel < channelCount; ++channel)
            for (int32_t frame = 0; frame < frames; ++frame) {
                const float sample = channels[channel][frame];
                if (!std::isfinite(sample))
                    ++nonFinite;
                else
                    peak = std::max(peak, std::fabs(sample));
            }
    }
};

std::string PeakText(float peak)
{
    if (peak == 0.0f)
        return "silent";
    char text[48];
    std::snprintf(text, sizeof text, "peak %.1f dBFS", 20.0 * std::log10(static_cast<double>(peak)));
    return text;
}

int Run(RenderSettings& settings, const Console& console)
{
    std::string error;
    if (!ReadSettings(settings, error)) {
        console.UsageError("render", error);
        return kExitUsage;
    }

    Song song;
    if (!LoadSong(settings, song, console))
        return kExitFailure;
    if (!SetLength(settings, song, console))
        return kExitUsage;

    HostSession session;
    session.SetSampleRate(settings.rate);
    session.SetBlockSize(settings.block);
    session.SetProcessLevel(kProcessLevelOffline);
    session.SetTempoMap(song.tempoMap);
    if (const int code = StartSession(session, settings.plugin, settings.arguments.setup, "render", console);
        code != kExitSuccess)
        return code;
    // The state is saved as set up, so that loading the file gives the same
    // start as this render.
    if (const int code = SaveStateSetup(session, settings.arguments.setup, console); code != kExitSuccess)
        return code;
    // Channel counts are read after effOpen: plug-ins may settle them there.
    const framework::vst::AEffect& effect = *session.Effect();
    const int32_t inputs = effect.numInputs;
    const int32_t outputs = effect.numOutputs;
    if (outputs < 1 || outputs > kMaxChannels || inputs < 0 || inputs > kMaxChannels) {
        console.Error("cannot render " + settings.plugin + ": it reports " + std::to_string(inputs) + " inputs and " +
                      std::to_string(outputs) + " outputs");
        return kExitFailure;
    }
    if (!session.CanProcess()) {
        console.Error("cannot render " + settings.plugin + ": it has no processing function");
        return kExitFailure;
    }
    console.Note("rendering " + std::to_string(settings.totalFrames) + " frames at " + std::to_string(settings.rate) +
                 " Hz in blocks of " + std::to_string(settings.block) + " with " +
                 (session.UsesReplacing() ? "processReplacing" : "process (accumulating)"));

    WavWriter writer;
    if (!writer.Open(settings.output, settings.rate, outputs)) {
        console.Error(writer.Error());
        return kExitFailure;
    }

    ChannelBuffers inputBuffers(inputs, settings.block);
    ChannelBuffers outputBuffers(outputs, settings.block);
    MidiScheduleCursor cursor(song.schedule);
    MidiEventList events;
    SignalSummary summary;
    ProgressMeter progress(console, "rendering", settings.totalFrames);

    session.Resume();
    for (int64_t position = 0; position < settings.totalFrames;) {
        const auto frames = static_cast<int32_t>(std::min<int64_t>(settings.block, settings.totalFrames - position));
        cursor.CollectBlock(position, frames, events);
        if (!events.Empty())
            session.SendEvents(events.Events());
        // Fresh buffers each block: silence in, and no stale samples out
        // where a plug-in leaves a channel unwritten.
        inputBuffers.Clear();
        outputBuffers.Clear();
        session.Process(inputBuffers.Pointers(), outputBuffers.Pointers(), frames);
        summary.Take(outputBuffers.Pointers(), outputs, frames);
        if (!writer.Write(outputBuffers.Pointers(), frames)) {
            progress.Abandon();
            console.Error(writer.Error());
            writer.Discard();
            return kExitFailure;
        }
        position += frames;
        progress.Update(position);
    }
    session.Close();
    progress.Finish();

    if (!writer.Close()) {
        console.Error(writer.Error());
        writer.Discard();
        return kExitFailure;
    }
    if (summary.nonFinite > 0)
        console.Warning("the plug-in produced " + std::to_string(summary.nonFinite) +
                        " samples that are not finite numbers (NaN or infinity)");
    if (session.EventsFromPlugin() > 0)
        console.Note("the plug-in sent " + std::to_string(session.EventsFromPlugin()) + " events to the host");
    console.Note("wrote " + settings.output + ": " + std::to_string(settings.totalFrames) + " frames, " +
                 std::to_string(outputs) + " channels, " + std::to_string(settings.rate) + " Hz, 32-bit float, " +
                 PeakText(summary.peak));
    return kExitSuccess;
}

CommandRun Declare(CLI::App& app)
{
    auto settings = std::make_shared<RenderSettings>();
    settings->outputOption = AddTextOption(app, "-o,--output", settings->output);
    settings->secondsOption = AddPositiveNumberOption(app, "--seconds", kMaxSeconds, settings->seconds);
    AddIntegerOption(app, "--rate", kMinRate, kMaxRate, settings->rate);
    AddIntegerOption(app, "--block", 1, kMaxBlock, settings->block);
    settings->midiOption = AddTextOption(app, "--midi", settings->midiPath);
    AddPluginArguments(app, settings->arguments, true);
    return [settings](const Console& console) { return Run(*settings, console); };
}

}  // namespace

const Command& RenderCommand()
{
    static const std::string details = "Loads PLUGIN as a DAW does (effOpen, sample rate, block size, resume),\n"
                                       "plays MIDI through it in blocks, and writes its outputs to FILE as a\n"
                                       "32-bit float WAV with one channel per plug-in output. The MIDI is a\n"
                                       "Standard MIDI File (format 0 or 1) given with --midi, or else a built-in\n"
                                       "8-second phrase of chords, melody, sustain pedal, mod wheel and pitch\n"
                                       "bend. The plug-in sees the song's tempo and position.\n"
                                       "\n"
                                       "options:\n"
                                       "  -o, --output FILE   the WAV file to write (replaced if it exists)\n"
                                       "  --midi FILE         the Standard MIDI File to play\n"
                                       "  --seconds N         length of the render, at most 3600 (default: the\n"
                                       "                      music and 2 seconds for release tails)\n"
                                       "  --rate R            sample rate in Hz, 8000..384000 (default 44100)\n"
                                       "  --block B           frames per processing call, 1..65536 (default 512)\n" +
                                       StateOptionHelp(true);
    static const Command command = {"render", "play MIDI through a plug-in and write its output to a WAV file",
                                    "render PLUGIN -o FILE [--midi FILE] [OPTIONS]", details, &Declare};
    return command;
}

}  // namespace orv::host
