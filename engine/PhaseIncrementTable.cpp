#include "engine/PhaseIncrementTable.h"

#include "engine/Tuning.h"

#include <climits>

namespace orv::engine {

PhaseIncrementTable::PhaseIncrementTable() : entries(kEntries, 0)
{
    Build(44100.0);
}

void PhaseIncrementTable::Build(double sampleRate)
{
    if (sampleRate == rate)
        return;
    rate = sampleRate;
    for (int i = 0; i < kEntries; ++i) {
        const double increment = PitchToFrequency(i) * kPhaseRange / sampleRate;
        // Only absurdly low rates come near the limit; keep the cast defined.
        entries[static_cast<size_t>(i)] = increment < 2147483647.0 ? static_cast<int32_t>(increment) : INT32_MAX;
    }
}

}  // namespace orv::engine
