#include "tools/orvhost/MidiFileSong.h"

#include <cmath>
#include <cstdint>

namespace orv::host {

namespace {

// Far beyond any render (renders last at most an hour), and far from the
// limits of int64 however far away a corrupt file puts its events.
constexpr double kFarFutureFrame = 1e15;

int64_t FrameAt(double seconds, double sampleRate)
{
    const double frame = seconds * sampleRate;
    return frame < kFarFutureFrame ? std::llround(frame) : static_cast<int64_t>(kFarFutureFrame);
}

}  // namespace

Song SongFromMidiFile(const MidiFile& file, double sampleRate)
{
    const double ticksPerQuarter = file.ticksPerQuarter;
    std::vector<TempoChange> tempos;
    for (const MidiFileTempo& tempo : file.tempos)
        tempos.push_back({static_cast<double>(tempo.tick) / ticksPerQuarter, 60e6 / tempo.microsecondsPerQuarter});
    std::vector<TimeSignatureChange> signatures;
    for (const MidiFileTimeSignature& signature : file.timeSignatures)
        signatures.push_back(
            {static_cast<double>(signature.tick) / ticksPerQuarter, signature.numerator, signature.denominator});

    Song song;
    song.tempoMap = TempoMap(std::move(tempos), std::move(signatures));
    for (const MidiFileEvent& event : file.events) {
        const double seconds = song.tempoMap.SecondsAtQuarter(static_cast<double>(event.tick) / ticksPerQuarter);
        song.schedule.Add(FrameAt(seconds, sampleRate), event.status, event.data1, event.data2);
    }
    song.schedule.Sort();
    song.seconds = song.tempoMap.SecondsAtQuarter(static_cast<double>(file.endTick) / ticksPerQuarter);
    return song;
}

}  // namespace orv::host
