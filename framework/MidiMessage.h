// The short MIDI message and system-exclusive records that the framework hands
// to the instrument. Both are borrowed for the duration of one call.
#pragma once

#include <cstdint>

namespace orv::framework {

struct MidiMessage {
    int32_t offset = 0;  // frames from the start of the next processing block
    uint8_t status = 0;  // status byte, channel in the low nibble
    uint8_t data1 = 0;
    uint8_t data2 = 0;
};

struct SysExMessage {
    int32_t offset = 0;
    int32_t size = 0;
    const uint8_t* data = nullptr;  // owned by the host
};

}  // namespace orv::framework
