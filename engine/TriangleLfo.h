// Control-rate triangle: the phase runs from -1 to 1 once per cycle and the
// output is 2 |phase| - 1. With one step per millisecond an increment of
// rate * 2 / 1000 gives rate in Hz.
#pragma once

#include "engine/ControlTick.h"

#include <cmath>

namespace orv::engine {

struct TriangleLfo {
    // The increment for a rate in Hz at one step per millisecond.
    static constexpr double IncrementFor(double hertz) { return hertz * 2.0 / kControlTicksPerSecond; }

    void Step()
    {
        output = 2.0 * std::fabs(phase) - 1.0;
        phase += increment;
        if (phase >= 1.0)
            phase -= 2.0;
    }

    double output = 0.0;
    double phase = -1.0;
    double increment = 0.0;
};

}  // namespace orv::engine
