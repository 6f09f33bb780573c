// The control tick: envelopes of the control rate, LFOs, pitch, levels and
// cutoffs move once per millisecond.
#pragma once

namespace orv::engine {

inline constexpr int kControlTicksPerSecond = 1000;

}  // namespace orv::engine
