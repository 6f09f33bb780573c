// Standard MIDI Files (formats 0 and 1, time in ticks per quarter note), read
// into what a render needs: the channel messages of every track merged in
// time order, the tempo and time signature changes of every track, and the
// song's length. System exclusive messages are counted and skipped; other
// meta events are skipped. SMPTE time division and format 2 (independent
// patterns) are refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orv::host {

struct MidiFileEvent {
    int64_t tick;
    uint8_t status;  // a channel message: 0x80..0xef
    uint8_t data1;
    uint8_t data2;  // 0 for messages with one data byte
};

struct MidiFileTempo {
    int64_t tick;
    uint32_t microsecondsPerQuarter;
};

struct MidiFileTimeSignature {
    int64_t tick;
    int numerator;
    int denominator;
};

struct MidiFile {
    int format = 0;
    int trackCount = 0;
    int ticksPerQuarter = 0;
    // By tick; at one tick, in track order and then in file order.
    std::vector<MidiFileEvent> events;
    std::vector<MidiFileTempo> tempos;                  // in the same order
    std::vector<MidiFileTimeSignature> timeSignatures;  // in the same order
    int64_t endTick = 0;                                // the end of the longest track
    int64_t sysexCount = 0;                             // system exclusive messages skipped
};

// Larger than any real MIDI file; guards against reading a wrong file whole.
inline constexpr size_t kMaxMidiFileBytes = 64u << 20;

// On failure returns false with a one-line reason in error.
bool ParseMidiFile(std::span<const uint8_t> bytes, MidiFile& file, std::string& error);

}  // namespace orv::host
