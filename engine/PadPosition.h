// A point on the Variation pad: x from Wood (-1) to Metal (+1), y from
// String (-1) to Glass (+1); the Sine model sits at the centre.
#pragma once

namespace orv::engine {

struct PadPosition {
    double x = 0.0;
    double y = 0.0;
};

}  // namespace orv::engine
