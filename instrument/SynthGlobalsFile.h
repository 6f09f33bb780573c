// The synth-global sound settings in the user's settings file: 64 keys read
// in a fixed order, never written back.
#pragma once

#include "engine/SynthGlobals.h"
#include "platform/ProfileSnapshot.h"

namespace orv::instrument {

// Replaces every field whose key is present (and not empty) in the settings
// file; other fields keep their values.
void ReadSynthGlobals(const platform::ProfileSnapshot& file, engine::SynthGlobals& settings);

}  // namespace orv::instrument
