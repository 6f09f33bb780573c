// The control tick: envelopes of the control rate, LFOs, pitch, levels and
// cutoffs move once per millisecond.
#pragma once

inline constexpr int kControlTicksPerSecond = 1000;
