#include "DemoPhrase.h"

#include "Transport.h"

#include <array>
#include <cmath>

namespace orvhost {

namespace {

struct PhraseNote {
    double startBeat;
    double lengthBeats;
    uint8_t key;
    uint8_t velocity;
};

// Beats of the transport's tempo; keys are MIDI note numbers (60 = middle C).
constexpr std::array<PhraseNote, 10> kPhrase = {{
    // chord, held for a bar and a half
    {0.0, 3.0, 48, 90},  // C3
    {0.0, 3.0, 60, 90},  // C4
    {0.0, 3.0, 64, 85},  // E4
    {0.0, 3.0, 67, 85},  // G4
    // melody
    {3.0, 0.5, 72, 100},  // C5
    {3.5, 0.5, 74, 95},   // D5
    {4.0, 0.5, 76, 100},  // E5
    {4.5, 0.5, 79, 105},  // G5
    {5.0, 0.5, 76, 95},   // E5
    {5.5, 0.75, 72, 100}, // C5, a little longer to close
}};

constexpr uint8_t kNoteOn = 0x90;   // channel 1
constexpr uint8_t kNoteOff = 0x80;  // channel 1
constexpr uint8_t kReleaseVelocity = 64;

int64_t BeatToFrame(double beat, double sampleRate)
{
    return static_cast<int64_t>(std::llround(beat * 60.0 / Transport::kTempo * sampleRate));
}

}  // namespace

MidiSchedule BuildDemoPhrase(double sampleRate)
{
    MidiSchedule schedule;
    // Note-offs first, so that a key released and struck on the same frame
    // is released before it sounds again.
    for (const PhraseNote& note : kPhrase)
        schedule.Add(BeatToFrame(note.startBeat + note.lengthBeats, sampleRate), kNoteOff, note.key,
                     kReleaseVelocity);
    for (const PhraseNote& note : kPhrase)
        schedule.Add(BeatToFrame(note.startBeat, sampleRate), kNoteOn, note.key, note.velocity);
    schedule.Sort();
    return schedule;
}

}  // namespace orvhost
