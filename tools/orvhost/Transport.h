// The host's song position as plug-ins read it through audioMasterGetTime.
// orvhost plays from the start of bar 1 at a fixed 120 beats per minute in
// 4/4; the position is the number of frames already processed.
#pragma once

#include "../../framework/VstAbi.h"

#include <cstdint>

namespace orvhost {

class Transport {
public:
    static constexpr double kTempo = 120.0;
    static constexpr int32_t kBeatsPerBar = 4;
    static constexpr int32_t kBeatUnit = 4;

    void SetSampleRate(double rate) { sampleRate = rate; }
    double SampleRate() const { return sampleRate; }

    void Start();
    void Stop();
    void Advance(int32_t frames) { samplePosition += frames; }
    int64_t SamplePosition() const { return samplePosition; }

    // The answer to audioMasterGetTime; stays valid until the next call.
    // Every field is filled whatever the request asks for, with the flags
    // saying which ones hold.
    const vst::VstTimeInfo* Query();

private:
    double sampleRate = 44100.0;
    int64_t samplePosition = 0;
    bool playing = false;
    bool changed = false;  // play state changed since the plug-in last looked
    vst::VstTimeInfo info{};
};

}  // namespace orvhost
