#include "tools/orvhost/MidiSchedule.h"

#include <algorithm>

namespace orv::host {

void MidiSchedule::Add(int64_t frame, uint8_t status, uint8_t data1, uint8_t data2)
{
    messages.push_back({frame, status, data1, data2});
}

void MidiSchedule::Sort()
{
    std::stable_sort(messages.begin(), messages.end(),
                     [](const ScheduledMidi& a, const ScheduledMidi& b) { return a.frame < b.frame; });
}

void MidiScheduleCursor::CollectBlock(int64_t blockStart, int32_t frames, MidiEventList& list)
{
    list.Clear();
    const std::vector<ScheduledMidi>& messages = schedule.Messages();
    while (next < messages.size() && messages[next].frame < blockStart)
        ++next;
    const int64_t blockEnd = blockStart + frames;
    while (next < messages.size() && messages[next].frame < blockEnd) {
        const ScheduledMidi& message = messages[next++];
        list.Add(static_cast<int32_t>(message.frame - blockStart), message.status, message.data1, message.data2);
    }
}

}  // namespace orv::host
