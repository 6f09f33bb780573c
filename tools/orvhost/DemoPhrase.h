// The music orvhost plays when no MIDI file is given: four bars (8 seconds
// at 120 beats per minute) written to show off a pad or keys instrument:
// rolled chords held with the sustain pedal, a melody above them, the mod
// wheel swelling through the third bar and a pitch bend up a whole step into
// the last phrase.
#pragma once

#include "tools/orvhost/Song.h"

namespace orv::host {

Song BuildDemoPhrase(double sampleRate);

}  // namespace orv::host
