#pragma once

#include <cstdint>

namespace orv::framework {

// One legal combination of input and output channel counts.
struct ChannelIoPair {
    int32_t inputs = 0;
    int32_t outputs = 0;
};

}  // namespace orv::framework
