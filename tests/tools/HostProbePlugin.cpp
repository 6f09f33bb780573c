// A VST 2 instrument for testing hosts: it checks that the host drives it as
// a DAW should and writes what it observed into its audio, so a test can read
// the verdict back from the rendered file.
//
// Output 1: at every frame where a MIDI event took effect, 1 per note-on and
//           1/16 per note-off (so the sum over the file counts both, and the
//           signal is the same whatever block size the host uses).
// Output 2: 0.5 while every check so far has held, -0.5 from the first
//           failed check on.
//
// Checks: the host answers audioMasterVersion with 2400; effOpen comes before
// the sample rate, block size and resume; processing only while resumed, with
// 1..blockSize frames; audioMasterGetSampleRate / GetBlockSize match what was
// set; the process level is offline; audioMasterGetTime gives the frames
// processed so far as samplePos, the sample rate, 120 BPM, 4/4, the matching
// ppq position and valid flags, and the playing flag; every event is a
// well-formed MIDI event whose deltaFrames lies inside the block that follows.

#include "../../framework/VstAbi.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

struct PendingEvent {
    int32_t deltaFrames;
    uint8_t status;
};

struct Probe {
    vst::AEffect effect{};
    vst::HostCallback host = nullptr;
    bool opened = false;
    bool resumed = false;
    double sampleRate = 0.0;
    int32_t blockSize = 0;
    int64_t framesProcessed = 0;
    bool healthy = true;
    std::vector<PendingEvent> pending;
};

Probe* ProbeOf(vst::AEffect* effect) { return static_cast<Probe*>(effect->object); }

intptr_t AskHost(Probe& probe, int32_t opcode, intptr_t value = 0)
{
    return probe.host(&probe.effect, opcode, 0, value, nullptr, 0.0f);
}

void Expect(Probe& probe, bool condition)
{
    if (!condition)
        probe.healthy = false;
}

void CheckTime(Probe& probe)
{
    const auto* time = reinterpret_cast<const vst::VstTimeInfo*>(
        AskHost(probe, vst::audioMasterGetTime, vst::kVstPpqPosValid | vst::kVstTempoValid | vst::kVstTimeSigValid));
    Expect(probe, time != nullptr);
    if (time == nullptr)
        return;
    const int32_t needed = vst::kVstPpqPosValid | vst::kVstTempoValid | vst::kVstTimeSigValid |
                           vst::kVstTransportPlaying;
    Expect(probe, (time->flags & needed) == needed);
    Expect(probe, time->samplePos == static_cast<double>(probe.framesProcessed));
    Expect(probe, time->sampleRate == probe.sampleRate);
    Expect(probe, time->tempo == 120.0);
    Expect(probe, time->timeSigNumerator == 4 && time->timeSigDenominator == 4);
    const double expectedPpq = static_cast<double>(probe.framesProcessed) / probe.sampleRate * 2.0;
    Expect(probe, std::fabs(time->ppqPos - expectedPpq) < 1e-9);
}

void Render(vst::AEffect* effect, float** outputs, int32_t frames)
{
    Probe& probe = *ProbeOf(effect);
    Expect(probe, probe.resumed);
    Expect(probe, frames >= 1 && frames <= probe.blockSize);
    Expect(probe, AskHost(probe, vst::audioMasterGetSampleRate) == static_cast<intptr_t>(probe.sampleRate));
    Expect(probe, AskHost(probe, vst::audioMasterGetBlockSize) == probe.blockSize);
    Expect(probe, AskHost(probe, vst::audioMasterGetCurrentProcessLevel) == vst::kVstProcessLevelOffline);
    CheckTime(probe);
    if (outputs == nullptr || outputs[0] == nullptr || outputs[1] == nullptr || frames < 0) {
        probe.healthy = false;
        return;
    }

    std::fill_n(outputs[0], frames, 0.0f);
    for (const PendingEvent& event : probe.pending) {
        const bool inside = event.deltaFrames >= 0 && event.deltaFrames < frames;
        Expect(probe, inside);
        if (inside)
            outputs[0][event.deltaFrames] += (event.status & 0xf0) == 0x90 ? 1.0f : 1.0f / 16.0f;
    }
    probe.pending.clear();
    std::fill_n(outputs[1], frames, probe.healthy ? 0.5f : -0.5f);
    probe.framesProcessed += frames;
}

void ProcessReplacing(vst::AEffect* effect, float** /*inputs*/, float** outputs, int32_t frames)
{
    Render(effect, outputs, frames);
}

void ProcessAccumulating(vst::AEffect* effect, float** /*inputs*/, float** /*outputs*/, int32_t /*frames*/)
{
    ProbeOf(effect)->healthy = false;  // the probe offers processReplacing; a host must use it
}

void TakeEvents(Probe& probe, const vst::VstEvents* events)
{
    Expect(probe, probe.resumed && events != nullptr && events->numEvents > 0);
    if (events == nullptr)
        return;
    auto* const* list = reinterpret_cast<vst::VstEvent* const*>(
        reinterpret_cast<const char*>(events) + offsetof(vst::VstEvents, events));
    for (int32_t i = 0; i < events->numEvents; ++i) {
        const vst::VstEvent* event = list[i];
        Expect(probe, event != nullptr && event->type == vst::kVstMidiType &&
                          event->byteSize == static_cast<int32_t>(sizeof(vst::VstMidiEvent)));
        if (event == nullptr || event->type != vst::kVstMidiType)
            continue;
        const auto* midi = reinterpret_cast<const vst::VstMidiEvent*>(event);
        probe.pending.push_back({midi->deltaFrames, static_cast<uint8_t>(midi->midiData[0])});
    }
}

intptr_t Dispatch(vst::AEffect* effect, int32_t opcode, int32_t /*index*/, intptr_t value, void* ptr, float opt)
{
    Probe& probe = *ProbeOf(effect);
    switch (opcode) {
    case vst::effOpen:
        probe.opened = true;
        return 0;
    case vst::effClose:
        delete &probe;
        return 0;
    case vst::effSetSampleRate:
        Expect(probe, probe.opened && !probe.resumed);
        probe.sampleRate = opt;
        return 0;
    case vst::effSetBlockSize:
        Expect(probe, probe.opened && !probe.resumed);
        probe.blockSize = static_cast<int32_t>(value);
        return 0;
    case vst::effMainsChanged:
        if (value != 0)
            Expect(probe, probe.opened && probe.sampleRate > 0.0 && probe.blockSize > 0);
        probe.resumed = value != 0;
        return 0;
    case vst::effProcessEvents:
        TakeEvents(probe, static_cast<const vst::VstEvents*>(ptr));
        return 1;
    case vst::effGetPlugCategory:
        return vst::kPlugCategSynth;
    case vst::effGetEffectName:
        if (ptr != nullptr)
            std::strcpy(static_cast<char*>(ptr), "Host Probe");
        return 1;
    case vst::effGetVstVersion:
        return 2400;
    default:
        return 0;
    }
}

void SetParameter(vst::AEffect*, int32_t, float) {}
float GetParameter(vst::AEffect*, int32_t) { return 0.0f; }

}  // namespace

extern "C" __attribute__((visibility("default"))) vst::AEffect* VSTPluginMain(vst::HostCallback host)
{
    auto* probe = new Probe;
    probe->host = host;
    vst::AEffect& effect = probe->effect;
    effect.magic = vst::kEffectMagic;
    effect.dispatcher = &Dispatch;
    effect.process = &ProcessAccumulating;
    effect.processReplacing = &ProcessReplacing;
    effect.setParameter = &SetParameter;
    effect.getParameter = &GetParameter;
    effect.numPrograms = 1;
    effect.numParams = 0;
    effect.numInputs = 0;
    effect.numOutputs = 2;
    effect.flags = vst::effFlagsCanReplacing | vst::effFlagsIsSynth;
    effect.ioRatio = 1.0f;
    effect.object = probe;
    effect.uniqueID = vst::FourCC('O', 'h', 'P', 'r');
    effect.version = 1;
    Expect(*probe, host(&effect, vst::audioMasterVersion, 0, 0, nullptr, 0.0f) == 2400);
    return &effect;
}
