// The short phrase orvhost plays when no other event source is given: a held
// C major chord, then a little melody over it, about three seconds at the
// transport's 120 beats per minute, leaving the last second for release tails.
#pragma once

#include "MidiSchedule.h"

namespace orvhost {

MidiSchedule BuildDemoPhrase(double sampleRate);

}  // namespace orvhost
