#include "tests/host/HostCallScript.h"

#include "framework/VstPlugin.h"
#include "tests/host/ScriptReader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

namespace hosttest {

namespace vst = orv::framework::vst;

namespace {

constexpr int32_t kLargestBlock = 8192;
constexpr size_t kMaxEventsPerCall = 24;
constexpr size_t kMaxSysExBytes = 48;
constexpr size_t kMaxSavedChunks = 4;
constexpr size_t kScratchBytes = 512;  // what a host lends for opcodes that take a buffer
constexpr float kSampleRates[] = {8000.0f, 22050.0f, 44100.0f, 48000.0f, 88200.0f, 96000.0f, 192000.0f, 384000.0f};
constexpr float kParameterValues[] = {0.0f,
                                      1.0f,
                                      0.5f,
                                      -1.0f,
                                      2.0f,
                                      -1e30f,
                                      1e30f,
                                      -0.0f,
                                      1e-39f,
                                      0.999f,
                                      0.001f,
                                      std::numeric_limits<float>::quiet_NaN(),
                                      std::numeric_limits<float>::infinity(),
                                      -std::numeric_limits<float>::infinity()};
// Opcodes a host may send at any time with a zeroed scratch buffer as ptr.
// Those whose ptr or value must be something specific (chunks, events, the
// editor's window, vendor requests, speaker arrangements) have actions of
// their own or are left to hosts that use them properly.
constexpr int32_t kPlainOpcodes[] = {vst::effOpen,
                                     vst::effGetProgram,
                                     vst::effGetProgramName,
                                     vst::effGetParamLabel,
                                     vst::effGetParamDisplay,
                                     vst::effGetParamName,
                                     vst::effEditGetRect,
                                     vst::effEditClose,
                                     vst::effEditIdle,
                                     vst::effIdentify,
                                     vst::effCanBeAutomated,
                                     vst::effGetProgramNameIndexed,
                                     vst::effGetInputProperties,
                                     vst::effGetOutputProperties,
                                     vst::effGetPlugCategory,
                                     vst::effProcessVarIo,
                                     vst::effSetBypass,
                                     vst::effGetEffectName,
                                     vst::effGetVendorString,
                                     vst::effGetProductString,
                                     vst::effGetVendorVersion,
                                     vst::effCanDo,
                                     vst::effGetTailSize,
                                     vst::effIdle,
                                     vst::effGetParameterProperties,
                                     vst::effGetVstVersion,
                                     vst::effEditKeyDown,
                                     vst::effEditKeyUp,
                                     vst::effGetMidiKeyName,
                                     vst::effBeginSetProgram,
                                     vst::effEndSetProgram,
                                     vst::effStartProcess,
                                     vst::effStopProcess,
                                     vst::effSetProgramName};

// What the host side of the current instance answers; one script plays at a
// time on a thread.
thread_local float currentRate = 44100.0f;
thread_local int32_t currentBlock = 512;

intptr_t AnswerPlugin(vst::AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    switch (opcode) {
    case vst::audioMasterVersion:
        return 2400;
    case vst::audioMasterGetSampleRate:
        return static_cast<intptr_t>(currentRate);
    case vst::audioMasterGetBlockSize:
        return currentBlock;
    default:
        return 0;
    }
}

}  // namespace

// One instance of the plug-in and the buffers its host keeps.
class HostCallScript::Instance {
public:
    explicit Instance(EntryPoint entry) : effect(entry(&AnswerPlugin)) {}
    ~Instance()
    {
        if (effect != nullptr)
            effect->dispatcher(effect, vst::effClose, 0, 0, nullptr, 0.0f);
    }
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    intptr_t Dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f)
    {
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }
    orv::framework::VstPlugin& Plugin() { return *orv::framework::VstPlugin::FromEffect(effect); }

    std::vector<uint8_t> Chunk(bool bank)
    {
        void* data = nullptr;
        const intptr_t size = Dispatch(vst::effGetChunk, bank ? 0 : 1, 0, &data);
        if (size <= 0 || data == nullptr)
            return {};
        return std::vector<uint8_t>(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
    }

    vst::AEffect* effect;
    // The block size the host declared to this instance: processing calls stay
    // within it, as the protocol asks (a new instance has declared none).
    int32_t declaredBlock = 0;
    std::vector<float> left = std::vector<float>(kLargestBlock), right = std::vector<float>(kLargestBlock);
    std::vector<double> leftD = std::vector<double>(kLargestBlock), rightD = std::vector<double>(kLargestBlock);
    std::array<vst::VstMidiEvent, kMaxEventsPerCall> midi{};
    std::array<vst::VstMidiSysexEvent, kMaxEventsPerCall> sysex{};
    std::array<std::array<char, kMaxSysExBytes>, kMaxEventsPerCall> dumps{};
    struct {
        int32_t numEvents;
        intptr_t reserved;
        vst::VstEvent* events[kMaxEventsPerCall];
    } list{};
    std::array<char, kScratchBytes> scratch{};
};

EffectObservation ObserveEffect(vst::AEffect* effect)
{
    EffectObservation o;
    char name[kScratchBytes];
    for (int p = 0; p < effect->numPrograms; ++p) {
        std::memset(name, 0, sizeof name);
        effect->dispatcher(effect, vst::effGetProgramNameIndexed, p, 0, name, 0.0f);
        o.names.emplace_back(name);
    }
    for (int i = 0; i < effect->numParams; ++i)
        o.values.push_back(effect->getParameter(effect, i));
    o.program = effect->dispatcher(effect, vst::effGetProgram, 0, 0, nullptr, 0.0f);
    return o;
}

HostCallScript::HostCallScript(EntryPoint entry, std::function<long()> allocations)
    : entry(entry), allocations(std::move(allocations))
{}

HostCallScript::~HostCallScript() = default;

std::string HostCallScript::Play(const uint8_t* data, size_t size)
{
    savedChunks.clear();
    currentRate = 44100.0f;
    currentBlock = 512;
    instance = std::make_unique<Instance>(entry);
    if (instance->effect == nullptr)
        return "the entry point made no instance";
    ScriptReader reader{data, size};
    std::string failure;
    while (!reader.Done() && failure.empty()) {
        failure = Step(reader);
        if (failure.empty())
            failure = CheckInvariants();
    }
    if (failure.empty())
        failure = CheckBankIntoSecondInstance();
    instance.reset();
    return failure;
}

std::string HostCallScript::Step(ScriptReader& r)
{
    Instance& in = *instance;
    vst::AEffect* effect = in.effect;
    switch (r.Byte() % 14) {
    case 0:
        in.Dispatch(vst::effOpen);
        return {};
    case 1:  // closed in the middle of anything, and a new one made
        instance = std::make_unique<Instance>(entry);
        return instance->effect == nullptr ? "the entry point made no new instance" : "";
    case 2:
        in.Dispatch(vst::effMainsChanged, 0, r.Byte() % 2);
        return {};
    case 3:
        currentRate = (r.Byte() % 4 == 0) ? 8000.0f + static_cast<float>(r.Word()) * 5.7f : r.Pick(kSampleRates);
        in.Dispatch(vst::effSetSampleRate, 0, 0, nullptr, currentRate);
        return {};
    case 4:
        currentBlock = 1 + r.Word() % kLargestBlock;
        in.declaredBlock = currentBlock;
        in.Dispatch(vst::effSetBlockSize, 0, currentBlock);
        return {};
    case 5: {  // a block of audio with MIDI at any offsets
        const int32_t frames = r.Word() % (in.declaredBlock + 1);
        const size_t count = r.Byte() % (kMaxEventsPerCall + 1);
        for (size_t e = 0; e < count; ++e) {
            const int32_t delta = static_cast<int32_t>(r.Word() % (frames + 9)) - 1;
            const uint8_t kind = r.Byte();
            if (kind % 8 == 7) {
                vst::VstMidiSysexEvent& s = in.sysex[e];
                s = {};
                s.type = vst::kVstSysExType;
                s.byteSize = sizeof s;
                s.deltaFrames = delta;
                s.dumpBytes = r.Byte() % kMaxSysExBytes;
                for (int b = 0; b < s.dumpBytes; ++b)
                    in.dumps[e][static_cast<size_t>(b)] = static_cast<char>(r.Byte());
                s.sysexDump = in.dumps[e].data();
                in.list.events[e] = reinterpret_cast<vst::VstEvent*>(&s);
                continue;
            }
            static constexpr uint8_t kStatus[] = {0x90, 0x80, 0xB0, 0xE0, 0xC0, 0xD0, 0xA0};
            vst::VstMidiEvent& m = in.midi[e];
            m = {};
            m.type = vst::kVstMidiType;
            m.byteSize = sizeof m;
            m.deltaFrames = delta;
            m.midiData[0] = static_cast<char>(kStatus[kind % 7] | (r.Byte() % 16));
            m.midiData[1] = static_cast<char>(kind % 3 == 0 ? 123 : r.Byte() % 128);  // 123: all notes off
            m.midiData[2] = static_cast<char>(r.Byte() % 128);
            in.list.events[e] = reinterpret_cast<vst::VstEvent*>(&m);
        }
        in.list.numEvents = static_cast<int32_t>(count);
        const bool asDouble = r.Byte() % 2 == 1;
        const long before = allocations ? allocations() : 0;
        if (count > 0)
            in.Dispatch(vst::effProcessEvents, 0, 0, &in.list);
        if (asDouble) {
            double* outputs[2] = {in.leftD.data(), in.rightD.data()};
            effect->processDoubleReplacing(effect, nullptr, outputs, frames);
        } else {
            float* outputs[2] = {in.left.data(), in.right.data()};
            effect->processReplacing(effect, nullptr, outputs, frames);
        }
        if (allocations && allocations() != before)
            return "processing allocated memory";
        const auto length = static_cast<size_t>(frames);
        return asDouble ? OutputOutOfBounds(in.leftD.data(), in.rightD.data(), length)
                        : OutputOutOfBounds(in.left.data(), in.right.data(), length);
    }
    case 6:
        effect->setParameter(effect, static_cast<int32_t>(r.Byte() % (effect->numParams + 2)) - 1,
                             r.Byte() % 4 == 0 ? r.Float() : r.Pick(kParameterValues));
        return {};
    case 7:
        in.Dispatch(vst::effSetProgram, 0, static_cast<intptr_t>(r.Byte() % (effect->numPrograms + 3)) - 1);
        return {};
    case 8: {  // a name of any length the host's buffer holds
        in.scratch.fill(0);
        const size_t length = r.Byte() % (kScratchBytes - 1);
        for (size_t c = 0; c < length; ++c)
            in.scratch[c] = static_cast<char>(r.Byte() | 1);  // no early terminator
        in.Dispatch(vst::effSetProgramName, 0, 0, in.scratch.data());
        return {};
    }
    case 9: {
        std::vector<uint8_t> chunk = in.Chunk(r.Byte() % 2 == 0);
        if (!chunk.empty()) {
            if (savedChunks.size() == kMaxSavedChunks)
                savedChunks.erase(savedChunks.begin());
            savedChunks.push_back(std::move(chunk));
        }
        return {};
    }
    case 10: {  // a chunk from another moment, damaged or not
        std::vector<uint8_t> chunk;
        if (!savedChunks.empty())
            chunk = savedChunks[r.Byte() % savedChunks.size()];
        switch (r.Byte() % 4) {
        case 1:
            chunk.resize(chunk.size() * (r.Byte() % 8) / 8);
            break;
        case 2:
            for (int flips = r.Byte() % 8; flips > 0 && !chunk.empty(); --flips)
                chunk[r.Word() % chunk.size()] ^= static_cast<uint8_t>(1 + r.Byte() % 255);
            break;
        case 3:
            chunk.assign(r.Byte(), r.Byte());
            break;
        default:
            break;
        }
        const bool bank = r.Byte() % 2 == 0;
        const EffectObservation before = ObserveEffect(in.effect);
        if (in.Dispatch(vst::effSetChunk, bank ? 0 : 1, static_cast<intptr_t>(chunk.size()),
                        chunk.empty() ? nullptr : chunk.data()) == 0 &&
            !(ObserveEffect(in.effect) == before))
            return "a refused chunk changed the programs";
        return {};
    }
    case 11: {  // the editor, headless: no window to open into
        vst::ERect* rect = nullptr;
        switch (r.Byte() % 4) {
        case 0:
            in.Dispatch(vst::effEditGetRect, 0, 0, &rect);
            break;
        case 1:
            in.Dispatch(vst::effEditOpen, 0, 0, nullptr);
            break;
        case 2:
            in.Dispatch(vst::effEditClose);
            break;
        default:
            in.Dispatch(vst::effEditIdle);
            break;
        }
        return {};
    }
    case 12: {  // vendor requests: the host's content scale, a snapshot's size, anything
        static constexpr int32_t kIndices[] = {vst::FourCC('P', 'r', 'e', 'S'), vst::FourCC('O', 'R', 'V', 's'), 0, -1};
        const int32_t index = r.Byte() % 5 == 4 ? static_cast<int32_t>(r.Word()) : r.Pick(kIndices);
        const intptr_t value = r.Byte() % 2 == 0 ? vst::FourCC('A', 'e', 'C', 's') : r.Word();
        in.Dispatch(vst::effVendorSpecific, index, value, nullptr, r.Byte() % 3 == 0 ? r.Float() : 1.0f + r.Byte() % 3);
        return {};
    }
    default: {
        in.scratch.fill(0);
        in.Dispatch(r.Pick(kPlainOpcodes), static_cast<int32_t>(r.Byte()) - 2, r.Byte() % 4, in.scratch.data(),
                    r.Float());
        return {};
    }
    }
}

std::string HostCallScript::CheckInvariants()
{
    vst::AEffect* effect = instance->effect;
    orv::framework::VstPlugin& plugin = instance->Plugin();
    for (int i = 0; i < effect->numParams; ++i) {
        const float n = effect->getParameter(effect, i);
        const orv::framework::Parameter& p = plugin.GetParameter(i);
        if (!(n >= 0.0f && n <= 1.0f) || !(p.value >= p.minimum && p.value <= p.maximum))
            return "parameter " + std::to_string(i) + " left its range: " + std::to_string(p.value);
    }
    return {};
}

std::string HostCallScript::CheckBankIntoSecondInstance()
{
    const std::vector<uint8_t> bank = instance->Chunk(true);
    if (bank.empty())
        return "the plug-in gave no bank chunk";
    const intptr_t program = instance->Dispatch(vst::effGetProgram);
    Instance second(entry);
    if (second.effect == nullptr)
        return "the entry point made no second instance";
    std::vector<uint8_t> copy = bank;
    if (second.Dispatch(vst::effSetChunk, 0, static_cast<intptr_t>(copy.size()), copy.data()) == 0)
        return "a second instance refused the bank chunk of the first";
    second.Dispatch(vst::effSetProgram, 0, program);
    const EffectObservation a = ObserveEffect(instance->effect);
    const EffectObservation b = ObserveEffect(second.effect);
    if (a.names != b.names)
        return "the bank restored other program names";
    if (a.program != b.program || a.values != b.values)
        return "the bank restored other parameter values";
    return {};
}

}  // namespace hosttest
