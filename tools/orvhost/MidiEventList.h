// A list of short MIDI events in the form a host hands to effProcessEvents: a
// VstEvents header followed by numEvents pointers, each to a VstMidiEvent.
#pragma once

#include "framework/VstAbi.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace orv::host {

class MidiEventList {
public:
    void Clear() { events.clear(); }

    // deltaFrames is the event's frame within the block that follows the call.
    void Add(int32_t deltaFrames, uint8_t status, uint8_t data1, uint8_t data2)
    {
        framework::vst::VstMidiEvent event{};
        event.type = framework::vst::kVstMidiType;
        event.byteSize = static_cast<int32_t>(sizeof(framework::vst::VstMidiEvent));
        event.deltaFrames = deltaFrames;
        event.midiData[0] = static_cast<char>(status);
        event.midiData[1] = static_cast<char>(data1);
        event.midiData[2] = static_cast<char>(data2);
        events.push_back(event);
    }

    size_t Size() const { return events.size(); }
    bool Empty() const { return events.empty(); }

    // The list as the plug-in sees it; valid until the next Add or Clear.
    framework::vst::VstEvents* Events()
    {
        // The header declares room for two pointers; a host allocates as many
        // as it sends, so the storage is sized here rather than by the struct.
        const size_t pointerBytes = (events.size() < 2 ? 2 : events.size()) * sizeof(framework::vst::VstEvent*);
        const size_t bytes = offsetof(framework::vst::VstEvents, events) + pointerBytes;
        storage.assign((bytes + sizeof(Word) - 1) / sizeof(Word), Word{});
        std::byte* base = reinterpret_cast<std::byte*>(storage.data());

        auto* list = new (base) framework::vst::VstEvents{};
        list->numEvents = static_cast<int32_t>(events.size());
        auto** pointers =
            reinterpret_cast<framework::vst::VstEvent**>(base + offsetof(framework::vst::VstEvents, events));
        for (size_t i = 0; i < events.size(); ++i)
            pointers[i] = reinterpret_cast<framework::vst::VstEvent*>(&events[i]);
        return list;
    }

private:
    // Storage unit aligned for both the int32 count and the pointers.
    struct alignas(alignof(framework::vst::VstEvents)) Word {
        std::byte bytes[alignof(framework::vst::VstEvents)];
    };

    std::vector<framework::vst::VstMidiEvent> events;
    std::vector<Word> storage;
};

}  // namespace orv::host
