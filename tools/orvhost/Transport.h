// The host's song position as plug-ins read it through audioMasterGetTime.
// orvhost plays from the start of the song; the position is the number of
// frames already processed, and tempo, quarter-note position, time signature
// and bar start follow the song's tempo map (120 beats per minute in 4/4
// unless a MIDI file says otherwise).
#pragma once

#include "tools/orvhost/TempoMap.h"

#include "framework/VstAbi.h"

#include <cstdint>

namespace orv::host {

class Transport {
public:
    void SetSampleRate(double rate) { sampleRate = rate; }
    double SampleRate() const { return sampleRate; }
    void SetTempoMap(const TempoMap& map) { tempoMap = map; }

    void Start();
    void Stop();
    void Advance(int32_t frames) { samplePosition += frames; }
    int64_t SamplePosition() const { return samplePosition; }

    // The answer to audioMasterGetTime; stays valid until the next call.
    // Every field is filled whatever the request asks for, with the flags
    // saying which ones hold. Tempo and signature are those in force at the
    // current position.
    const framework::vst::VstTimeInfo* Query();

private:
    double sampleRate = 44100.0;
    TempoMap tempoMap;
    int64_t samplePosition = 0;
    bool playing = false;
    bool changed = false;  // play state changed since the plug-in last looked
    framework::vst::VstTimeInfo info{};
};

}  // namespace orv::host
