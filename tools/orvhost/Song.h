// What a render plays: MIDI messages placed on frames, the tempo map the
// transport reports to the plug-in while they play, and how long the music
// lasts (release tails not counted).
#pragma once

#include "tools/orvhost/MidiSchedule.h"
#include "tools/orvhost/TempoMap.h"

namespace orv::host {

struct Song {
    MidiSchedule schedule;
    TempoMap tempoMap;
    double seconds = 0.0;
};

}  // namespace orv::host
