// Frozen copy of the engine's render loop and note handling from before its
// voices were batched: the reference the equivalence test compares the
// engine with, bit for bit. Learned controllers are left out (they reach the
// engine as parameter changes, which the test sends directly).
#pragma once

#include "ReferenceBlocks.h"
#include "ReferenceVoice.h"

#include "MidiQueue.h"
#include "MtsClient.h"
#include "PhaseIncrementTable.h"
#include "SynthGlobals.h"

#include <bitset>
#include <cstdint>
#include <vector>

namespace reference {

class Engine {
public:
    static constexpr int kVoiceCount = 64;

    explicit Engine(SynthGlobals& globals);

    void Reset(double sampleRate, int32_t blockSize);
    void SetParameter(int index, double value);
    bool Queue(const QueuedMidi& message);
    void ReleaseAllNotes();
    void Render(double* left, double* right, int32_t frames);

    void NoteOn(int note, int velocity);
    void NoteOff(int note);

    const Voice& GetVoice(int index) const { return voices[static_cast<size_t>(index)]; }

private:
    void ProcessQueuedMidi();
    void Dispatch(const QueuedMidi& message);
    void ControllerChange(int controller, int value);
    int ChooseVoice(int note) const;

    SynthGlobals& settings;
    PhaseIncrementTable increments;
    std::vector<Voice> voices;
    AirChorus chorus;
    TriangleLfo vibratoLfo;
    TriangleLfo morphLfo;
    Envelope globalMorphEnvelope;
    int32_t morphMode = 0;
    double masterVolume = 0.0;
    double vibratoDepth = 0.0;
    int32_t noteCounter = 0;
    int32_t mixLength = 0;
    std::vector<double> mixLeft;
    std::vector<double> mixRight;
    double pitchBend = 0.0;
    double modWheel = 0.0;
    int32_t tickLength = 0;
    int32_t tickCountdown = 0;
    MidiQueue queue;
    std::bitset<128> heldNotes;
    const MtsClient* tuning = nullptr;
};

}  // namespace reference
