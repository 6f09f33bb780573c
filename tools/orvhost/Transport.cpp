#include "tools/orvhost/Transport.h"

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
    const double seconds = info.samplePos / sampleRate;
    info.tempo = tempoMap.TempoAtSeconds(seconds);
    info.ppqPos = tempoMap.QuarterAtSeconds(seconds);
    info.barStartPos = tempoMap.BarStartAtQuarter(info.ppqPos);
    info.timeSigNumerator = tempoMap.NumeratorAtQuarter(info.ppqPos);
    info.timeSigDenominator = tempoMap.DenominatorAtQuarter(info.ppqPos);
    info.flags = vst::kVstPpqPosValid | vst::kVstTempoValid | vst::kVstBarsValid | vst::kVstTimeSigValid;
    if (playing)
        info.flags |= vst::kVstTransportPlaying;
    if (changed)
        info.flags |= vst::kVstTransportChanged;
    changed = false;
    return &info;
}

}  // namespace orvhost
