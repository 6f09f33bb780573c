// Reproducible engine runs: random patches, settings, MIDI streams, sample
// rates and host block sizes, played through an Engine as a host would.
#pragma once

#include "engine/Engine.h"
#include "engine/EngineParameters.h"
#include "engine/SynthGlobals.h"

#include <cstdint>
#include <vector>

// Something that happens at a frame of the stream. MIDI goes into the queue
// of the block holding the frame; parameter changes and "release all" (what
// controllers 120 and 123 do) happen before that block is rendered.
struct StreamEvent {
    enum Kind { kMidi, kParameter, kReleaseAll } kind = kMidi;
    int64_t frame = 0;
    orv::engine::QueuedMidi midi;
    int parameter = 0;
    double value = 0.0;
};

struct Scenario {
    uint32_t seed = 0;
    double sampleRate = 44100.0;
    int32_t maxBlock = 512;
    std::vector<int32_t> blocks;  // host block sizes, in order
    orv::engine::SynthGlobals settings;
    double parameters[orv::engine::kOrvParameterCount] = {};
    std::vector<StreamEvent> events;  // in frame order
};

struct ScenarioOutput {
    std::vector<double> left, right;
};

// A random scenario of about lengthScale * (0.1 .. 0.4) seconds. "Wild" ones
// have settings beyond musical sense (negative envelope amounts, cutoffs
// crossing the filters' poles), so that NaN and infinity reach the filters.
Scenario MakeScenario(uint32_t seed, bool wild, double lengthScale);
// The main filter's cutoff landing exactly on its pole for one sample.
Scenario MakePoleScenario();
// Notes, silence long enough for every voice and the chorus to die away, and
// notes again inside a block, with the given volume and Air.
Scenario MakeSilenceScenario(double rate, const std::vector<int32_t>& blockPattern, double volume, double air);

// Plays the scenario through a fresh engine at the given instruction set.
ScenarioOutput PlayScenario(const Scenario& scenario, orv::engine::SimdLevel level);
