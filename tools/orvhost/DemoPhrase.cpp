#include "tools/orvhost/DemoPhrase.h"

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace orv::host {

namespace {

struct PhraseNote {
    double startBeat;
    double lengthBeats;
    uint8_t key;  // MIDI note number, 60 = middle C
    uint8_t velocity;
};

struct Chord {
    double startBeat;
    std::array<uint8_t, 5> keys;  // low to high; 0 ends a shorter chord
};

constexpr double kSongBeats = 16.0;
constexpr double kChordKeyBeats = 1.5;    // then the pedal holds the chord
constexpr double kRollBeats = 0.03;       // chords are rolled upwards
constexpr double kPedalLiftBeats = 0.06;  // the pedal is lifted just before a chord
constexpr double kPedalDownBeats = 0.2;   // and pressed again just after it

constexpr std::array<Chord, 5> kChords = {{
    {0.0, {48, 55, 59, 62, 64}},   // C maj9
    {4.0, {45, 52, 55, 59, 60}},   // A min9
    {8.0, {41, 48, 52, 57, 60}},   // F maj7
    {12.0, {43, 50, 53, 57, 0}},   // G9 sus
    {14.0, {36, 43, 52, 55, 62}},  // C add9, held to the end
}};

constexpr std::array<PhraseNote, 18> kMelody = {{
    {1.0, 0.5, 76, 92},
    {1.5, 0.5, 79, 96},
    {2.0, 1.0, 83, 104},
    {3.0, 0.5, 81, 94},
    {3.5, 0.5, 79, 90},
    {4.0, 1.5, 76, 100},
    {5.5, 0.5, 74, 88},
    {6.0, 0.5, 72, 90},
    {6.5, 0.5, 74, 94},
    {7.0, 1.0, 76, 98},
    {8.0, 1.0, 81, 106},
    {9.0, 0.5, 79, 96},
    {9.5, 0.5, 76, 92},
    {10.0, 1.5, 84, 112},
    {11.5, 0.5, 83, 98},
    {12.0, 1.0, 81, 102},
    // bent up a whole step while it sounds, into the last note
    {13.0, 1.0, 74, 100},
    {14.0, 2.0, 79, 104},
}};

constexpr double kBendStartBeat = 13.35;
constexpr double kBendEndBeat = 13.75;
constexpr double kBendResetBeat = 14.05;  // after the bent note is released
constexpr int kBendSteps = 16;
constexpr double kModSwellStartBeat = 8.0;
constexpr double kModSwellPeakBeat = 12.0;
constexpr double kModSwellEndBeat = 15.0;
constexpr int kModPeak = 90;
constexpr double kControlStepBeats = 0.125;

constexpr uint8_t kNoteOn = 0x90;  // channel 1 throughout
constexpr uint8_t kNoteOff = 0x80;
constexpr uint8_t kControlChange = 0xb0;
constexpr uint8_t kPitchBend = 0xe0;
constexpr uint8_t kModWheel = 1;
constexpr uint8_t kSustainPedal = 64;
constexpr uint8_t kReleaseVelocity = 64;
constexpr int kBendCentre = 8192;
constexpr int kBendTop = 16383;

struct Message {
    double beat;
    uint8_t status;
    uint8_t data1;
    uint8_t data2;
};

void AddBend(std::vector<Message>& controls, double beat, int value)
{
    controls.push_back({beat, kPitchBend, static_cast<uint8_t>(value & 0x7f), static_cast<uint8_t>(value >> 7)});
}

}  // namespace

Song BuildDemoPhrase(double sampleRate)
{
    // Three lists, added in this order so that on a shared frame a key is
    // released before it is struck again and controllers are set before the
    // notes they shape.
    std::vector<Message> releases;
    std::vector<Message> controls;
    std::vector<Message> strikes;

    controls.push_back({0.0, kControlChange, kModWheel, 0});
    AddBend(controls, 0.0, kBendCentre);
    for (size_t c = 0; c < kChords.size(); ++c) {
        const Chord& chord = kChords[c];
        const double nextChord = c + 1 < kChords.size() ? kChords[c + 1].startBeat : kSongBeats;
        double roll = 0.0;
        for (uint8_t key : chord.keys) {
            if (key == 0)
                break;
            const double keyUp = c + 1 < kChords.size() ? chord.startBeat + kChordKeyBeats : kSongBeats;
            strikes.push_back({chord.startBeat + roll, kNoteOn, key, static_cast<uint8_t>(78 - roll * 200)});
            releases.push_back({keyUp, kNoteOff, key, kReleaseVelocity});
            roll += kRollBeats;
        }
        controls.push_back({chord.startBeat + kPedalDownBeats, kControlChange, kSustainPedal, 127});
        controls.push_back(
            {nextChord - (c + 1 < kChords.size() ? kPedalLiftBeats : 0.0), kControlChange, kSustainPedal, 0});
    }
    for (const PhraseNote& note : kMelody) {
        strikes.push_back({note.startBeat, kNoteOn, note.key, note.velocity});
        releases.push_back({note.startBeat + note.lengthBeats, kNoteOff, note.key, kReleaseVelocity});
    }

    // The bend eases in and out: a raised-cosine curve from centre to top.
    for (int step = 0; step <= kBendSteps; ++step) {
        const double progress = static_cast<double>(step) / kBendSteps;
        const double eased = 0.5 - 0.5 * std::cos(progress * std::numbers::pi);
        AddBend(controls, kBendStartBeat + progress * (kBendEndBeat - kBendStartBeat),
                kBendCentre + static_cast<int>(std::lround(eased * (kBendTop - kBendCentre))));
    }
    AddBend(controls, kBendResetBeat, kBendCentre);

    for (double beat = kModSwellStartBeat; beat <= kModSwellEndBeat + 1e-9; beat += kControlStepBeats) {
        const double level = beat <= kModSwellPeakBeat
                                 ? (beat - kModSwellStartBeat) / (kModSwellPeakBeat - kModSwellStartBeat)
                                 : (kModSwellEndBeat - beat) / (kModSwellEndBeat - kModSwellPeakBeat);
        controls.push_back({beat, kControlChange, kModWheel, static_cast<uint8_t>(std::lround(level * kModPeak))});
    }

    Song song;
    song.seconds = song.tempoMap.SecondsAtQuarter(kSongBeats);
    for (const std::vector<Message>* list : {&releases, &controls, &strikes})
        for (const Message& message : *list)
            song.schedule.Add(std::llround(song.tempoMap.SecondsAtQuarter(message.beat) * sampleRate), message.status,
                              message.data1, message.data2);
    song.schedule.Sort();
    return song;
}

}  // namespace orv::host
