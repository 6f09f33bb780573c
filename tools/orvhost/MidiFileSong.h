// A Standard MIDI File as a Song: every channel message on the frame where
// the file's tempo map puts its tick, at the render's sample rate.
#pragma once

#include "tools/orvhost/MidiFile.h"
#include "tools/orvhost/Song.h"

namespace orv::host {

Song SongFromMidiFile(const MidiFile& file, double sampleRate);

}  // namespace orv::host
