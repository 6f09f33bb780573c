// One of the plug-in's program slots: a name and an opaque program state.
#pragma once

#include "framework/SerialBuffer.h"

#include <string>

namespace orv::framework {

struct ProgramSlot {
    static constexpr size_t kMaxNameLength = 255;

    bool initialised = false;
    std::string name = "empty";
    SerialBuffer state;

    void SetName(const char* text)
    {
        name.assign(text != nullptr ? text : "");
        if (name.size() > kMaxNameLength)
            name.resize(kMaxNameLength);
    }
};

}  // namespace orv::framework
