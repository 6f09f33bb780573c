// Per-sample phase increments of a 27-bit accumulator for every pitch index:
//   entry i = truncate(PitchToFrequency(i) * 2^27 / sample rate)
// so an oscillator's pitch update is one table read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orv::engine {

class PhaseIncrementTable {
public:
    static constexpr int kEntries = 17281;
    static constexpr int32_t kPhaseRange = 134217728;  // 2^27

    PhaseIncrementTable();

    // Rebuilds the table when it was made for another rate.
    void Build(double sampleRate);
    int32_t operator[](int32_t index) const
    {
        if (index < 0)
            index = 0;
        if (index >= kEntries)
            index = kEntries - 1;
        return entries[static_cast<size_t>(index)];
    }
    double SampleRate() const { return rate; }

private:
    std::vector<int32_t> entries;
    double rate = 0.0;
};

}  // namespace orv::engine
