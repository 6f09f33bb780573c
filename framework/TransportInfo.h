// The host's transport state as far as the host reports it.
#pragma once

#include <cstdint>

namespace orv::framework {

struct TransportInfo {
    double tempo = 0.0;  // beats per minute
    double samplePosition = 0.0;
    double quarterNotePosition = 0.0;
    double lastBarStart = 0.0;  // in quarter notes
    double cycleStart = 0.0;    // in quarter notes
    double cycleEnd = 0.0;
    int32_t numerator = 0;
    int32_t denominator = 0;
    bool playing = false;
    bool cycleActive = false;
};

}  // namespace orv::framework
