// A host's list of MIDI events for one processing call.
#pragma once

#include "framework/VstAbi.h"

#include <array>
#include <cstdint>

template <size_t Capacity>
class MidiBatch {
public:
    void Add(int32_t delta, uint8_t status, uint8_t data1, uint8_t data2)
    {
        if (count == Capacity)
            return;
        orv::framework::vst::VstMidiEvent& event = events[count];
        event = {};
        event.type = orv::framework::vst::kVstMidiType;
        event.byteSize = sizeof event;
        event.deltaFrames = delta;
        event.midiData[0] = static_cast<char>(status);
        event.midiData[1] = static_cast<char>(data1);
        event.midiData[2] = static_cast<char>(data2);
        list.pointers[count] = reinterpret_cast<orv::framework::vst::VstEvent*>(&event);
        ++count;
    }
    void Clear() { count = 0; }
    orv::framework::vst::VstEvents* Events()
    {
        list.numEvents = static_cast<int32_t>(count);
        return reinterpret_cast<orv::framework::vst::VstEvents*>(&list);
    }

private:
    // VstEvents with room for Capacity pointers.
    struct List {
        int32_t numEvents = 0;
        intptr_t reserved = 0;
        orv::framework::vst::VstEvent* pointers[Capacity] = {};
    };
    std::array<orv::framework::vst::VstMidiEvent, Capacity> events{};
    List list;
    size_t count = 0;
};
