// orvhost's reader of Standard MIDI Files: any bytes as a file's content.
// What it accepts must give a playable song: messages in time order, never
// before the start, and a finite length.
#include "tools/orvhost/MidiFile.h"
#include "tools/orvhost/MidiFileSong.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

using namespace orv::framework;
using namespace orv::host;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    orv::host::MidiFile file;
    std::string error;
    if (!orv::host::ParseMidiFile({data, size}, file, error))
        return 0;
    const orv::host::Song song = orv::host::SongFromMidiFile(file, 44100.0);
    int64_t previous = 0;
    for (const orv::host::ScheduledMidi& message : song.schedule.Messages()) {
        if (message.frame < previous || message.status < 0x80 || message.status > 0xef || message.data1 > 0x7f ||
            message.data2 > 0x7f)
            __builtin_trap();
        previous = message.frame;
    }
    if (!std::isfinite(song.seconds) || song.seconds < 0.0)
        __builtin_trap();
    const double ppq = song.tempoMap.QuarterAtSeconds(song.seconds / 2);
    if (!std::isfinite(ppq) || song.tempoMap.BarStartAtQuarter(ppq) > ppq + 1e-9)
        __builtin_trap();
    return 0;
}
