// Pitch in 1/128 semitone (MIDI note n is pitch n * 128) and its frequency.
// Between semitones the frequency is interpolated linearly from tables of
// equal-tempered notes, so the result is the same on every platform.
#pragma once

#include <climits>
#include <cstdint>

namespace orv::engine {

// Frequency in Hz of a pitch index; clamped at 19912.127 Hz above and at
// 0.0033570162 Hz below.
double PitchToFrequency(int32_t pitch);

}  // namespace orv::engine
