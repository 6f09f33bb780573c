// Three triangles a third of a cycle apart; each output |phase| runs 0..1.
#pragma once

#include <cmath>

namespace orv::engine {

struct ThreePhaseLfo {
    void Step()
    {
        for (int k = 0; k < 3; ++k)
            output[k] = std::fabs(phase[k]);
        phase[0] += increment;
        phase[1] = phase[0] + 2.0 / 3.0;
        phase[2] = phase[0] + 4.0 / 3.0;
        for (double& p : phase)
            if (p >= 1.0)
                p -= 2.0;
    }

    double output[3] = {0.0, 0.0, 0.0};
    double phase[3] = {-1.0, -1.0 / 3.0, 1.0 / 3.0};
    double increment = 0.0;
};

}  // namespace orv::engine
