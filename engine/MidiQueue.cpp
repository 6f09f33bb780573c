#include "engine/MidiQueue.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace orv::engine {

namespace {

// Whole 4096-byte pages of 8-byte messages, never less than one page.
int32_t RoundToPages(int32_t messages)
{
    const int32_t pages = (std::max(messages, 1) + MidiQueue::kMessagesPerPage - 1) / MidiQueue::kMessagesPerPage;
    return pages * MidiQueue::kMessagesPerPage;
}

}  // namespace

MidiQueue::MidiQueue() : messages(1024) {}

bool MidiQueue::Grow(int32_t capacity)
{
    try {
        messages.resize(static_cast<size_t>(capacity));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}

void MidiQueue::Resize(int32_t blockSize)
{
    Compact();
    growthStep = RoundToPages(blockSize);
    const int32_t capacity = std::max(growthStep, RoundToPages(Count()));
    Grow(capacity);
}

void MidiQueue::Compact()
{
    if (front == 0)
        return;
    std::copy(messages.begin() + front, messages.begin() + back, messages.begin());
    back -= front;
    front = 0;
}

bool MidiQueue::Insert(const QueuedMidi& incoming)
{
    // Offsets only ever count down; keep far-out values from overflowing.
    QueuedMidi message = incoming;
    message.offset = std::max(message.offset, -(1 << 30));
    if (back >= Capacity()) {
        if (front > 0)
            Compact();
        else if (!Grow(Capacity() + growthStep))
            return false;
    }
    if (front == back || message.offset >= messages[static_cast<size_t>(back - 1)].offset) {
        messages[static_cast<size_t>(back++)] = message;
        return true;
    }
    // After the last message whose offset is not greater than the new one.
    int32_t at = back;
    while (at > front && messages[static_cast<size_t>(at - 1)].offset > message.offset)
        --at;
    std::copy_backward(messages.begin() + at, messages.begin() + back, messages.begin() + back + 1);
    messages[static_cast<size_t>(at)] = message;
    ++back;
    return true;
}

void MidiQueue::ShiftOffsetsBehindFront(int32_t frames)
{
    for (int32_t i = front + 1; i < back; ++i)
        messages[static_cast<size_t>(i)].offset -= frames;
}

}  // namespace orv::engine
