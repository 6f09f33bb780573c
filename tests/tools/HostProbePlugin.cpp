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
// processed so far as samplePos, the sample rate, a positive tempo, a time
// signature, a ppq position that never goes back, valid flags and the
// playing flag; every event is a well-formed MIDI event whose deltaFrames lies
// inside the block that follows; program changes come between
// effBeginSetProgram and effEndSetProgram.
//
// It has three parameters and four programs (two of them named alike) and no
// chunks, so hosts save and load it through parameter values.
//
// With ORVHOST_PROBE_LOG naming a file, it also appends one line per
// observation there, for the details a test compares exactly:
//   time SAMPLEPOS PPQ TEMPO NUM/DEN BARSTART   at each processing call
//   event FRAME STATUS DATA1 DATA2              FRAME counted from the start
//   program N | param INDEX VALUE | name TEXT   state changes from the host

#include "framework/VstAbi.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace orv::framework;

namespace {

struct PendingEvent {
    int32_t deltaFrames;
    uint8_t status;
    uint8_t data1;
    uint8_t data2;
};

constexpr int32_t kParameterCount = 3;
constexpr int32_t kProgramCount = 4;
constexpr std::array<const char*, kParameterCount> kParameterNames = {"Gain", "Tone", "Mode"};
constexpr std::array<const char*, kParameterCount> kParameterLabels = {"dB", "", ""};
constexpr std::array<const char*, kProgramCount> kProgramNames = {"Init", "Bright Pad", "bright pad", "Dark Keys"};

struct Program {
    std::string name;
    std::array<float, kParameterCount> values;
};

struct Probe {
    vst::AEffect effect{};
    vst::HostCallback host = nullptr;
    bool opened = false;
    bool resumed = false;
    double sampleRate = 0.0;
    int32_t blockSize = 0;
    int64_t framesProcessed = 0;
    double lastPpq = 0.0;
    bool healthy = true;
    bool settingProgram = false;
    std::vector<PendingEvent> pending;
    std::array<Program, kProgramCount> programs;
    int32_t current = 0;
    std::FILE* log = nullptr;
};

Probe* ProbeOf(vst::AEffect* effect)
{
    return static_cast<Probe*>(effect->object);
}

template <typename... Values>
void Log(Probe& probe, const char* format, Values... values)
{
    if (probe.log != nullptr)
        std::fprintf(probe.log, format, values...);
}

void CopyText(void* destination, const std::string& text, size_t capacity)
{
    if (destination == nullptr)
        return;
    std::snprintf(static_cast<char*>(destination), capacity, "%s", text.c_str());
}

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
    const int32_t needed =
        vst::kVstPpqPosValid | vst::kVstTempoValid | vst::kVstTimeSigValid | vst::kVstTransportPlaying;
    Expect(probe, (time->flags & needed) == needed);
    Expect(probe, time->samplePos == static_cast<double>(probe.framesProcessed));
    Expect(probe, time->sampleRate == probe.sampleRate);
    Expect(probe, time->tempo > 0.0);
    Expect(probe, time->timeSigNumerator > 0 && time->timeSigDenominator > 0);
    Expect(probe, time->ppqPos >= probe.lastPpq && time->barStartPos <= time->ppqPos);
    probe.lastPpq = time->ppqPos;
    Log(probe, "time %.0f %.6f %.6f %d/%d %.6f\n", time->samplePos, time->ppqPos, time->tempo, time->timeSigNumerator,
        time->timeSigDenominator, time->barStartPos);
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
        if (!inside)
            continue;
        Log(probe, "event %lld %02x %d %d\n", static_cast<long long>(probe.framesProcessed + event.deltaFrames),
            event.status, event.data1, event.data2);
        if ((event.status & 0xf0) == 0x90)
            outputs[0][event.deltaFrames] += 1.0f;
        else if ((event.status & 0xf0) == 0x80)
            outputs[0][event.deltaFrames] += 1.0f / 16.0f;
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
    auto* const* list = reinterpret_cast<vst::VstEvent* const*>(reinterpret_cast<const char*>(events) +
                                                                offsetof(vst::VstEvents, events));
    for (int32_t i = 0; i < events->numEvents; ++i) {
        const vst::VstEvent* event = list[i];
        Expect(probe, event != nullptr && event->type == vst::kVstMidiType &&
                          event->byteSize == static_cast<int32_t>(sizeof(vst::VstMidiEvent)));
        if (event == nullptr || event->type != vst::kVstMidiType)
            continue;
        const auto* midi = reinterpret_cast<const vst::VstMidiEvent*>(event);
        probe.pending.push_back({midi->deltaFrames, static_cast<uint8_t>(midi->midiData[0]),
                                 static_cast<uint8_t>(midi->midiData[1]), static_cast<uint8_t>(midi->midiData[2])});
    }
}

bool ValidParameter(int32_t index)
{
    return index >= 0 && index < kParameterCount;
}

intptr_t Dispatch(vst::AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    Probe& probe = *ProbeOf(effect);
    Program& program = probe.programs[static_cast<size_t>(probe.current)];
    switch (opcode) {
    case vst::effOpen:
        probe.opened = true;
        return 0;
    case vst::effClose:
        if (probe.log != nullptr)
            std::fclose(probe.log);
        delete &probe;
        return 0;
    case vst::effBeginSetProgram:
        Expect(probe, !probe.settingProgram);
        probe.settingProgram = true;
        return 0;
    case vst::effEndSetProgram:
        Expect(probe, probe.settingProgram);
        probe.settingProgram = false;
        return 0;
    case vst::effSetProgram:
        Expect(probe, probe.settingProgram && value >= 0 && value < kProgramCount);
        if (value >= 0 && value < kProgramCount) {
            probe.current = static_cast<int32_t>(value);
            Log(probe, "program %d\n", probe.current);
        }
        return 0;
    case vst::effGetProgram:
        return probe.current;
    case vst::effSetProgramName:
        if (ptr != nullptr) {
            program.name.assign(static_cast<const char*>(ptr),
                                strnlen(static_cast<const char*>(ptr), vst::kVstMaxProgNameLen - 1));
            Log(probe, "name %s\n", program.name.c_str());
        }
        return 0;
    case vst::effGetProgramName:
        CopyText(ptr, program.name, vst::kVstMaxProgNameLen);
        return 0;
    case vst::effGetProgramNameIndexed:
        if (index < 0 || index >= kProgramCount)
            return 0;
        CopyText(ptr, probe.programs[static_cast<size_t>(index)].name, vst::kVstMaxProgNameLen);
        return 1;
    case vst::effGetParamName:
        if (ValidParameter(index))
            CopyText(ptr, kParameterNames[static_cast<size_t>(index)], vst::kVstMaxParamStrLen);
        return 0;
    case vst::effGetParamLabel:
        if (ValidParameter(index))
            CopyText(ptr, kParameterLabels[static_cast<size_t>(index)], vst::kVstMaxParamStrLen);
        return 0;
    case vst::effGetParamDisplay:
        if (ValidParameter(index)) {
            char text[16];
            std::snprintf(text, sizeof text, "%.3f", static_cast<double>(program.values[static_cast<size_t>(index)]));
            CopyText(ptr, text, vst::kVstMaxParamStrLen);
        }
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

void SetParameter(vst::AEffect* effect, int32_t index, float value)
{
    Probe& probe = *ProbeOf(effect);
    Expect(probe, ValidParameter(index) && value >= 0.0f && value <= 1.0f);
    if (!ValidParameter(index))
        return;
    probe.programs[static_cast<size_t>(probe.current)].values[static_cast<size_t>(index)] = value;
    Log(probe, "param %d %.6f\n", index, static_cast<double>(value));
}

float GetParameter(vst::AEffect* effect, int32_t index)
{
    Probe& probe = *ProbeOf(effect);
    return ValidParameter(index) ? probe.programs[static_cast<size_t>(probe.current)].values[static_cast<size_t>(index)]
                                 : 0.0f;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) vst::AEffect* VSTPluginMain(vst::HostCallback host)
{
    auto* probe = new Probe;
    probe->host = host;
    for (int32_t p = 0; p < kProgramCount; ++p) {
        Program& program = probe->programs[static_cast<size_t>(p)];
        program.name = kProgramNames[static_cast<size_t>(p)];
        for (int32_t i = 0; i < kParameterCount; ++i)
            program.values[static_cast<size_t>(i)] = static_cast<float>(p * kParameterCount + i + 1) / 16.0f;
    }
    if (const char* path = std::getenv("ORVHOST_PROBE_LOG"); path != nullptr && *path != '\0')
        probe->log = std::fopen(path, "a");
    vst::AEffect& effect = probe->effect;
    effect.magic = vst::kEffectMagic;
    effect.dispatcher = &Dispatch;
    effect.process = &ProcessAccumulating;
    effect.processReplacing = &ProcessReplacing;
    effect.setParameter = &SetParameter;
    effect.getParameter = &GetParameter;
    effect.numPrograms = kProgramCount;
    effect.numParams = kParameterCount;
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
