// Short MIDI messages placed on the timeline of a render, in frames from its
// start. Event sources (the built-in demo phrase, later MIDI files) fill a
// schedule; the render loop hands each block the messages that fall in it.
#pragma once

#include "tools/orvhost/MidiEventList.h"

#include <cstdint>
#include <vector>

namespace orv::host {

struct ScheduledMidi {
    int64_t frame;
    uint8_t status;
    uint8_t data1;
    uint8_t data2;
};

class MidiSchedule {
public:
    void Add(int64_t frame, uint8_t status, uint8_t data1, uint8_t data2);
    // Orders the messages by frame; messages on the same frame keep the
    // order in which they were added (a note-off added before a note-on of
    // the same key stays before it).
    void Sort();

    size_t Size() const { return messages.size(); }
    const std::vector<ScheduledMidi>& Messages() const { return messages; }

private:
    std::vector<ScheduledMidi> messages;
};

// Walks a sorted schedule block by block.
class MidiScheduleCursor {
public:
    explicit MidiScheduleCursor(const MidiSchedule& schedule) : schedule(schedule) {}

    // Fills list with the messages in [blockStart, blockStart + frames), each
    // with its offset inside the block as deltaFrames. Messages before
    // blockStart that were never collected are dropped.
    void CollectBlock(int64_t blockStart, int32_t frames, MidiEventList& list);

private:
    const MidiSchedule& schedule;
    size_t next = 0;
};

}  // namespace orv::host
