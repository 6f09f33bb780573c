#include "Transport.h"

#include <cmath>

namespace orvhost {

void Transport::Start()
{
    changed = changed || !playing;
    playing = true;
}

void Transport::Stop()
{
    changed = changed || playing;
    playing = false;
}

const vst::VstTimeInfo* Transport::Query()
{
    info = vst::VstTimeInfo{};
    info.samplePos = static_cast<double>(samplePosition);
    info.sampleRate = sampleRate;
    info.tempo = kTempo;
    info.ppqPos = info.samplePos / sampleRate * kTempo / 60.0;
    info.barStartPos = std::floor(info.ppqPos / kBeatsPerBar) * kBeatsPerBar;
    info.timeSigNumerator = kBeatsPerBar;
    info.timeSigDenominator = kBeatUnit;
    info.flags = vst::kVstPpqPosValid | vst::kVstTempoValid | vst::kVstBarsValid | vst::kVstTimeSigValid;
    if (playing)
        info.flags |= vst::kVstTransportPlaying;
    if (changed)
        info.flags |= vst::kVstTransportChanged;
    changed = false;
    return &info;
}

}  // namespace orvhost
