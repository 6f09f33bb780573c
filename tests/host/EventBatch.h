// An event list as a host hands it to effProcessEvents, with whatever a host
// may put in it: MIDI, system exclusive, events of other types, null entries.
#pragma once

#include "framework/VstAbi.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <new>
#include <vector>

namespace hosttest {

class EventBatch {
public:
    EventBatch& Midi(int32_t deltaFrames, uint8_t status, uint8_t data1, uint8_t data2)
    {
        orv::framework::vst::VstMidiEvent& event = midi.emplace_back();
        event.type = orv::framework::vst::kVstMidiType;
        event.byteSize = static_cast<int32_t>(sizeof event);
        event.deltaFrames = deltaFrames;
        event.midiData[0] = static_cast<char>(status);
        event.midiData[1] = static_cast<char>(data1);
        event.midiData[2] = static_cast<char>(data2);
        entries.push_back(reinterpret_cast<orv::framework::vst::VstEvent*>(&event));
        return *this;
    }

    // The bytes must outlive the batch.
    EventBatch& SysEx(int32_t deltaFrames, const std::vector<char>& bytes)
    {
        orv::framework::vst::VstMidiSysexEvent& event = sysex.emplace_back();
        event.type = orv::framework::vst::kVstSysExType;
        event.byteSize = static_cast<int32_t>(sizeof event);
        event.deltaFrames = deltaFrames;
        event.dumpBytes = static_cast<int32_t>(bytes.size());
        event.sysexDump = const_cast<char*>(bytes.data());
        entries.push_back(reinterpret_cast<orv::framework::vst::VstEvent*>(&event));
        return *this;
    }

    // An event of a type the plug-in does not handle (audio, video, ...).
    EventBatch& OtherType(int32_t type, int32_t deltaFrames)
    {
        orv::framework::vst::VstEvent& event = other.emplace_back();
        event.type = type;
        event.byteSize = static_cast<int32_t>(sizeof event);
        event.deltaFrames = deltaFrames;
        entries.push_back(&event);
        return *this;
    }

    EventBatch& Null()
    {
        entries.push_back(nullptr);
        return *this;
    }

    // The list; valid until the batch changes. numEvents can be forced to
    // something else than the entry count.
    orv::framework::vst::VstEvents* Events() { return Events(static_cast<int32_t>(entries.size())); }
    orv::framework::vst::VstEvents* Events(int32_t numEvents)
    {
        const size_t pointers = entries.size() < 2 ? 2 : entries.size();
        const size_t bytes =
            offsetof(orv::framework::vst::VstEvents, events) + pointers * sizeof(orv::framework::vst::VstEvent*);
        storage.assign((bytes + sizeof(Word) - 1) / sizeof(Word), Word{});
        std::byte* base = reinterpret_cast<std::byte*>(storage.data());
        auto* list = new (base) orv::framework::vst::VstEvents{};
        list->numEvents = numEvents;
        auto** slots =
            reinterpret_cast<orv::framework::vst::VstEvent**>(base + offsetof(orv::framework::vst::VstEvents, events));
        for (size_t i = 0; i < entries.size(); ++i)
            slots[i] = entries[i];
        return list;
    }

private:
    struct alignas(alignof(orv::framework::vst::VstEvents)) Word {
        std::byte bytes[alignof(orv::framework::vst::VstEvents)];
    };

    // deques keep the events in place while more are added
    std::deque<orv::framework::vst::VstMidiEvent> midi;
    std::deque<orv::framework::vst::VstMidiSysexEvent> sysex;
    std::deque<orv::framework::vst::VstEvent> other;
    std::vector<orv::framework::vst::VstEvent*> entries;
    std::vector<Word> storage;
};

}  // namespace hosttest
