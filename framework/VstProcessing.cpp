// The audio side of the VST binding: the processing callbacks, event intake,
// MIDI output and transport queries.
#include "framework/VstPlugin.h"

#include <algorithm>
#include <cmath>

namespace orv::framework {

namespace {

// Blocks larger than this are refused by the float paths (silence is written
// instead): no real host comes near it, and growing to it must not fail.
constexpr int32_t kLargestProcessedBlock = 1 << 20;

}  // namespace

// Zeroes the host buffers of the connected outputs, the only ones the host
// handed over.
template <typename Sample>
void VstPlugin::SilenceHostOutputs(Sample** outputs, int32_t frames)
{
    if (outputs == nullptr)
        return;
    int hostChannel = 0;
    for (const OutputChannel& channel : outputChannels) {
        if (!channel.connected)
            continue;
        Sample* destination = outputs[hostChannel++];
        if (destination != nullptr)
            std::fill(destination, destination + frames, Sample(0));
    }
}

void VstPlugin::ProcessFloat(float** inputs, float** outputs, int32_t frames, bool accumulate)
{
    LockGuard guard(GetLock());
    if (takesMidi)
        CallHost(vst::audioMasterWantMidi);
    frames = std::max(frames, 0);
    if (frames > kLargestProcessedBlock) {
        if (!accumulate)
            SilenceHostOutputs(outputs, frames);
        return;
    }
    EnsureScratchFrames(frames);
    const size_t count = static_cast<size_t>(frames);

    int hostChannel = 0;
    for (InputChannel& channel : inputChannels) {
        if (!channel.connected)
            continue;
        const float* source = inputs != nullptr ? inputs[hostChannel] : nullptr;
        ++hostChannel;
        if (source != nullptr)
            for (size_t k = 0; k < count; ++k)
                channel.scratch[k] = static_cast<double>(source[k]);
        else
            std::fill(channel.scratch.begin(), channel.scratch.begin() + static_cast<ptrdiff_t>(count), 0.0);
        *channel.slot = channel.scratch.data();
    }

    hostChannel = 0;
    for (OutputChannel& channel : outputChannels) {
        if (!channel.connected)
            continue;
        *channel.slot = channel.scratch.empty() ? nullptr : channel.scratch.data();
        channel.destination = outputs != nullptr ? outputs[hostChannel] : nullptr;
        ++hostChannel;
    }

    RenderBlock(inputPointers.data(), outputPointers.data(), frames);

    for (OutputChannel& channel : outputChannels) {
        const double* rendered = *channel.slot;
        float* destination = channel.destination;
        if (!channel.connected || rendered == nullptr || destination == nullptr)
            continue;
        if (accumulate)
            for (size_t k = 0; k < count; ++k)
                destination[k] += static_cast<float>(rendered[k]);
        else
            for (size_t k = 0; k < count; ++k)
                destination[k] = static_cast<float>(rendered[k]);
    }
}

void VstPlugin::ProcessDouble(double** inputs, double** outputs, int32_t frames)
{
    LockGuard guard(GetLock());
    if (takesMidi)
        CallHost(vst::audioMasterWantMidi);
    frames = std::max(frames, 0);
    if (frames > kLargestProcessedBlock) {
        SilenceHostOutputs(outputs, frames);
        return;
    }
    // Unconnected channels render into their scratch buffers.
    EnsureScratchFrames(frames);

    int hostChannel = 0;
    for (InputChannel& channel : inputChannels)
        if (channel.connected)
            *channel.slot = inputs != nullptr ? inputs[hostChannel++] : nullptr;
    hostChannel = 0;
    for (OutputChannel& channel : outputChannels)
        if (channel.connected)
            *channel.slot = outputs != nullptr ? outputs[hostChannel++] : nullptr;

    RenderBlock(inputPointers.data(), outputPointers.data(), frames);
}

void VstPlugin::ProcessEvents(const vst::VstEvents* events)
{
    vst::VstEvent* const* list = vst::EventsOf(*events);
    for (int32_t i = 0; i < events->numEvents; ++i) {
        const vst::VstEvent* event = list[i];
        if (event == nullptr)
            continue;
        if (event->type == vst::kVstMidiType) {
            const auto* midi = reinterpret_cast<const vst::VstMidiEvent*>(event);
            MidiMessage message;
            message.offset = midi->deltaFrames;
            message.status = static_cast<uint8_t>(midi->midiData[0]);
            message.data1 = static_cast<uint8_t>(midi->midiData[1]);
            message.data2 = static_cast<uint8_t>(midi->midiData[2]);
            HandleMidiMessage(message);
        } else if (event->type == vst::kVstSysExType) {
            const auto* sysex = reinterpret_cast<const vst::VstMidiSysexEvent*>(event);
            SysExMessage message;
            message.offset = sysex->deltaFrames;
            message.size = sysex->dumpBytes;
            message.data = reinterpret_cast<const uint8_t*>(sysex->sysexDump);
            HandleSysEx(message);
        }
    }
}

bool VstPlugin::SendMidiToHost(const MidiMessage& message)
{
    vst::VstMidiEvent event = {};
    event.type = vst::kVstMidiType;
    event.byteSize = sizeof event;
    event.deltaFrames = message.offset;
    event.midiData[0] = static_cast<char>(message.status);
    event.midiData[1] = static_cast<char>(message.data1);
    event.midiData[2] = static_cast<char>(message.data2);
    vst::VstEvents list = {};
    list.numEvents = 1;
    list.events[0] = reinterpret_cast<vst::VstEvent*>(&event);
    return CallHost(vst::audioMasterProcessEvents, 0, 0, &list) == 1;
}

bool VstPlugin::SendSysExToHost(const SysExMessage& message)
{
    vst::VstMidiSysexEvent event = {};
    event.type = vst::kVstSysExType;
    event.byteSize = sizeof event;
    event.deltaFrames = message.offset;
    event.dumpBytes = message.size;
    event.sysexDump = reinterpret_cast<char*>(const_cast<uint8_t*>(message.data));
    vst::VstEvents list = {};
    list.numEvents = 1;
    list.events[0] = reinterpret_cast<vst::VstEvent*>(&event);
    return CallHost(vst::audioMasterProcessEvents, 0, 0, &list) == 1;
}

const vst::VstTimeInfo* VstPlugin::GetTimeInfo(int32_t filter)
{
    return reinterpret_cast<const vst::VstTimeInfo*>(CallHost(vst::audioMasterGetTime, 0, filter));
}

int64_t VstPlugin::GetSamplePosition()
{
    const vst::VstTimeInfo* time = GetTimeInfo(0);
    if (time == nullptr || !(time->samplePos >= 0.0) || time->samplePos >= 9.0e18)
        return 0;
    return static_cast<int64_t>(time->samplePos + 0.5);
}

double VstPlugin::GetTempo()
{
    const vst::VstTimeInfo* time = GetTimeInfo(vst::kVstTempoValid);
    if (time == nullptr || (time->flags & vst::kVstTempoValid) == 0 || !(time->tempo >= 0.0))
        return 0.0;
    return time->tempo;
}

void VstPlugin::GetTimeSignature(int32_t& numerator, int32_t& denominator)
{
    numerator = 0;
    denominator = 0;
    const vst::VstTimeInfo* time = GetTimeInfo(vst::kVstTimeSigValid);
    if (time != nullptr && (time->flags & vst::kVstTimeSigValid) != 0 && time->timeSigNumerator >= 0 &&
        time->timeSigDenominator >= 0) {
        numerator = time->timeSigNumerator;
        denominator = time->timeSigDenominator;
    }
}

void VstPlugin::GetTransportInfo(TransportInfo& info)
{
    constexpr int32_t kWanted = vst::kVstPpqPosValid | vst::kVstTempoValid | vst::kVstBarsValid |
                                vst::kVstCyclePosValid | vst::kVstTimeSigValid;
    const vst::VstTimeInfo* time = GetTimeInfo(kWanted);
    if (time == nullptr || (time->flags & kWanted) == 0)
        return;
    info.samplePosition = time->samplePos;
    if ((time->flags & vst::kVstPpqPosValid) != 0 && time->ppqPos >= 0.0)
        info.quarterNotePosition = time->ppqPos;
    if ((time->flags & vst::kVstTempoValid) != 0 && time->tempo > 0.0)
        info.tempo = time->tempo;
    if ((time->flags & vst::kVstBarsValid) != 0 && time->barStartPos >= 0.0)
        info.lastBarStart = time->barStartPos;
    if ((time->flags & vst::kVstCyclePosValid) != 0 && time->cycleStartPos >= 0.0 && time->cycleEndPos >= 0.0) {
        info.cycleStart = time->cycleStartPos;
        info.cycleEnd = time->cycleEndPos;
    }
    if ((time->flags & vst::kVstTimeSigValid) != 0 && time->timeSigNumerator > 0 && time->timeSigDenominator > 0) {
        info.numerator = time->timeSigNumerator;
        info.denominator = time->timeSigDenominator;
    }
    info.playing = (time->flags & vst::kVstTransportPlaying) != 0;
    info.cycleActive = (time->flags & vst::kVstTransportCycleActive) != 0;
}

}  // namespace orv::framework
