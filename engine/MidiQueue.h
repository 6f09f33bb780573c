// Short MIDI messages waiting for the control tick that is due to play them,
// kept in order of their frame offsets (equal offsets in arrival order).
// Storage grows only when more messages arrive than it holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orv::engine {

// The high nibble of a status byte (the channel is in the low nibble).
enum MidiStatus : int {
    kMidiNoteOff = 0x8,
    kMidiNoteOn = 0x9,
    kMidiControlChange = 0xB,
    kMidiProgramChange = 0xC,
    kMidiPitchBend = 0xE,
};

struct QueuedMidi {
    int32_t offset = 0;  // frames from the start of the next block
    uint8_t status = 0;
    uint8_t data1 = 0;
    uint8_t data2 = 0;
};

class MidiQueue {
public:
    static constexpr int kMessagesPerPage = 4096 / 8;

    MidiQueue();

    // False when the message had to be dropped (no room could be made).
    bool Insert(const QueuedMidi& message);
    // Resizes for a host block size; queued messages survive.
    void Resize(int32_t blockSize);

    bool Empty() const { return front == back; }
    QueuedMidi& Front() { return messages[static_cast<size_t>(front)]; }
    void PopFront() { ++front; }
    // Moves the unconsumed messages to the start.
    void Compact();
    // Subtracts frames from every queued offset but the front one's, which
    // the caller has already counted down for this tick.
    void ShiftOffsetsBehindFront(int32_t frames);
    int32_t Count() const { return back - front; }
    int32_t Capacity() const { return static_cast<int32_t>(messages.size()); }

private:
    bool Grow(int32_t capacity);

    std::vector<QueuedMidi> messages;
    int32_t front = 0;
    int32_t back = 0;
    int32_t growthStep = 1024;
};

}  // namespace orv::engine
