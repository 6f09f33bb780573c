// Per-channel records that connect the host's buffers to the instrument's
// double-precision renderer. Each channel refers to its own element of the
// plug-in's input- or output-pointer array.
#pragma once

#include <string>
#include <vector>

namespace orv::framework {

struct InputChannel {
    bool connected = false;
    double** slot = nullptr;      // element of the input-pointer array
    std::vector<double> scratch;  // converted float input, or a stand-in when unconnected
    std::string label;
};

struct OutputChannel {
    bool connected = false;
    double** slot = nullptr;       // element of the output-pointer array
    float* destination = nullptr;  // the host's float buffer during a float call
    std::vector<double> scratch;   // the renderer writes here on the float paths
    std::string label;
};

}  // namespace orv::framework
