#include "tools/orvhost/Transport.h"

namespace orv::host {

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

const framework::vst::VstTimeInfo* Transport::Query()
{
    info = framework::vst::VstTimeInfo{};
    info.samplePos = static_cast<double>(samplePosition);
    info.sampleRate = sampleRate;
    const double seconds = info.samplePos / sampleRate;
    info.tempo = tempoMap.TempoAtSeconds(seconds);
    info.ppqPos = tempoMap.QuarterAtSeconds(seconds);
    info.barStartPos = tempoMap.BarStartAtQuarter(info.ppqPos);
    info.timeSigNumerator = tempoMap.NumeratorAtQuarter(info.ppqPos);
    info.timeSigDenominator = tempoMap.DenominatorAtQuarter(info.ppqPos);
    info.flags = framework::vst::kVstPpqPosValid | framework::vst::kVstTempoValid | framework::vst::kVstBarsValid |
                 framework::vst::kVstTimeSigValid;
    if (playing)
        info.flags |= framework::vst::kVstTransportPlaying;
    if (changed)
        info.flags |= framework::vst::kVstTransportChanged;
    changed = false;
    return &info;
}

}  // namespace orv::host
