// ORV's synthesis engine: 64 voices, the control-rate render loop, note
// handling and the parameter routing. Messages are queued with their frame
// offsets and dispatched at the one-millisecond control tick whose window
// holds them; between ticks the voices and the chorus run per sample.
#pragma once

#include "engine/AirChorus.h"
#include "engine/Envelope.h"
#include "engine/MidiQueue.h"
#include "engine/MtsClient.h"
#include "engine/PhaseIncrementTable.h"
#include "engine/SimdLevel.h"
#include "engine/SynthGlobals.h"
#include "engine/TriangleLfo.h"
#include "engine/Voice.h"
#include "engine/VoiceBatch.h"

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orv::engine {

// What the engine asks of the instrument around it.
class EngineListener {
public:
    // A controller learned onto parameter index (0..11) moved to normalised.
    virtual void LearnedControllerMoved(int parameterIndex, double normalised) = 0;

protected:
    ~EngineListener() = default;
};

class Engine {
public:
    static constexpr int kVoiceCount = 64;
    static constexpr int kControllerCount = 120;

    explicit Engine(SynthGlobals& globals);

    // Rebuilds what depends on the sample rate and block size; all voices go idle.
    void Reset(double sampleRate, int32_t blockSize);
    void SetParameter(int index, double value);
    // Queues a message for its tick; false when it had to be dropped.
    bool Queue(const QueuedMidi& message);
    void ReleaseAllNotes();
    // Renders frames samples into left and right.
    void Render(double* left, double* right, int32_t frames);

    // The instruction set of the voice kernel: the best one the processor
    // offers unless a lower one is asked for (tests, benchmarks).
    void SetSimdLevel(SimdLevel level) { batch.SetSimdLevel(level); }
    SimdLevel GetSimdLevel() const { return batch.GetSimdLevel(); }

    void SetTuning(const MtsClient* client) { tuning = client; }
    void SetListener(EngineListener* newListener) { listener = newListener; }
    // Controller number -> parameter index (or -1); kControllerCount entries,
    // owned by the caller.
    void SetControlMap(const int32_t* map) { controlMap = map; }

    void NoteOn(int note, int velocity);
    void NoteOff(int note);

    // For tests and the instrument's read-outs.
    const Voice& GetVoice(int index) const { return voices[static_cast<size_t>(index)]; }
    int32_t TickLength() const { return tickLength; }
    double PitchBend() const { return pitchBend; }
    double ModWheel() const { return modWheel; }

private:
    void ProcessQueuedMidi();
    void Dispatch(const QueuedMidi& message);
    void ControllerChange(int controller, int value);
    int ChooseVoice(int note) const;
    // Hands both pad positions to every voice.
    void MovePads();

    SynthGlobals& settings;
    PhaseIncrementTable increments;  // this instance's, for its own sample rate
    std::vector<Voice> voices;
    // False only when no voice is active: set by every note start, found
    // again at every tick. While false (and the chorus holds only silence)
    // the render loop runs the control ticks alone.
    bool voicesSounding = true;
    VoiceBatch batch;  // renders the active voices of a sub-block together
    AirChorus chorus;
    TriangleLfo vibratoLfo;
    TriangleLfo morphLfo;
    Envelope globalMorphEnvelope;
    int32_t morphMode = kMorphOff;
    // The two pad positions, handed to every voice.
    PadPosition variation;
    PadPosition secondVariation;
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
    std::bitset<128> heldNotes;  // keys currently down

    const MtsClient* tuning = nullptr;
    EngineListener* listener = nullptr;
    const int32_t* controlMap = nullptr;
};

}  // namespace orv::engine
