// The synth-global sound settings in the user's settings file: 64 keys read
// in a fixed order, never written back.
#pragma once

#include "SynthGlobals.h"

#include <string>

// Replaces every field whose key is present (and not empty) in the file at
// path; other fields keep their values.
void ReadSynthGlobals(const std::string& path, SynthGlobals& settings);
