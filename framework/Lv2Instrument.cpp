#include "framework/Lv2Instrument.h"

#include <lv2/atom/util.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/midi/midi.h>
#include <lv2/options/options.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstring>
#include <limits>
#include <new>
#include <string>

namespace orv::framework {

namespace {

// The block size assumed when the host does not tell its largest.
constexpr int32_t kDefaultMaxBlock = 4096;
constexpr int32_t kLargestMaxBlock = 8192;

int32_t MaxBlockFromOptions(const LV2_Options_Option* options, LV2_URID_Map* map)
{
    if (options == nullptr)
        return kDefaultMaxBlock;
    const LV2_URID maxLength = map->map(map->handle, LV2_BUF_SIZE__maxBlockLength);
    const LV2_URID atomInt = map->map(map->handle, LV2_ATOM__Int);
    for (const LV2_Options_Option* o = options; o->key != 0; ++o) {
        if (o->key == maxLength && o->type == atomInt && o->size == sizeof(int32_t)) {
            const int32_t value = *static_cast<const int32_t*>(o->value);
            if (value > 0)
                return std::min(value, kLargestMaxBlock);
        }
    }
    return kDefaultMaxBlock;
}

}  // namespace

const void* FindLv2Feature(const LV2_Feature* const* features, const char* uri)
{
    for (; features != nullptr && *features != nullptr; ++features) {
        if (std::strcmp((*features)->URI, uri) == 0)
            return (*features)->data;
    }
    return nullptr;
}

std::vector<int> Lv2ControlParameters(const PluginBase& plugin)
{
    std::vector<int> indices;
    for (int i = 0; i < plugin.ParameterCount(); ++i) {
        if (plugin.GetParameter(i).kind != kParameterNone)
            indices.push_back(i);
    }
    return indices;
}

std::string Lv2PortSymbol(const char* parameterName)
{
    std::string symbol;
    bool gap = false;
    for (const char* c = parameterName; *c != '\0'; ++c) {
        const unsigned char u = static_cast<unsigned char>(*c);
        if (std::isalnum(u) != 0) {
            if (gap && !symbol.empty())
                symbol += '_';
            symbol += static_cast<char>(std::tolower(u));
            gap = false;
        } else {
            gap = true;
        }
    }
    if (symbol.empty() || std::isdigit(static_cast<unsigned char>(symbol[0])) != 0)
        symbol = "p" + symbol;
    return symbol;
}

Lv2Instrument* Lv2Instrument::Create(EntryPoint entry, const char* pluginUri, double sampleRate,
                                     const LV2_Feature* const* features)
{
    auto* map = static_cast<LV2_URID_Map*>(const_cast<void*>(FindLv2Feature(features, LV2_URID__map)));
    if (map == nullptr || entry == nullptr)
        return nullptr;
    auto* instance = new (std::nothrow) Lv2Instrument();
    if (instance == nullptr)
        return nullptr;
    instance->map = map;
    instance->sampleRate = sampleRate;
    instance->maxBlock = MaxBlockFromOptions(
        static_cast<const LV2_Options_Option*>(FindLv2Feature(features, LV2_OPTIONS__options)), map);
    instance->midiEvent = map->map(map->handle, LV2_MIDI__MidiEvent);
    instance->atomChunk = map->map(map->handle, LV2_ATOM__Chunk);
    instance->atomInt = map->map(map->handle, LV2_ATOM__Int);
    instance->bankKey = map->map(map->handle, (std::string(pluginUri) + kLv2BankKeySuffix).c_str());
    instance->programKey = map->map(map->handle, (std::string(pluginUri) + kLv2ProgramKeySuffix).c_str());

    instance->effect = entry(&Lv2Instrument::HostCallback);
    if (instance->effect == nullptr) {
        delete instance;
        return nullptr;
    }
    instance->effect->reserved1 = reinterpret_cast<intptr_t>(instance);
    instance->plugin = VstPlugin::FromEffect(instance->effect);
    instance->Dispatch(vst::effOpen);
    instance->Dispatch(vst::effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    instance->Dispatch(vst::effSetBlockSize, 0, instance->maxBlock);

    instance->controlParameters = Lv2ControlParameters(*instance->plugin);
    instance->controlPorts.assign(instance->controlParameters.size(), nullptr);
    // The host's first values count as changes wherever they differ from
    // what the plug-in holds.
    instance->lastPortValues.assign(instance->controlParameters.size(), std::numeric_limits<float>::quiet_NaN());
    return instance;
}

Lv2Instrument::~Lv2Instrument()
{
    if (effect != nullptr) {
        Dispatch(vst::effClose);  // the plug-in deletes itself
        effect = nullptr;
    }
}

intptr_t Lv2Instrument::Dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

intptr_t Lv2Instrument::HostCallback(vst::AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* /*ptr*/,
                                     float /*opt*/)
{
    Lv2Instrument* self = effect != nullptr ? reinterpret_cast<Lv2Instrument*>(effect->reserved1) : nullptr;
    switch (opcode) {
    case vst::audioMasterVersion:
        return VstPlugin::kVstVersion;
    case vst::audioMasterGetSampleRate:
        return self != nullptr ? static_cast<intptr_t>(self->sampleRate) : 0;
    case vst::audioMasterSizeWindow:
        if (self != nullptr && self->resizeListener) {
            self->resizeListener(index, static_cast<int>(value));
            return 1;
        }
        return 0;
    default:
        return 0;  // no transport, no MIDI out, no host identity
    }
}

void Lv2Instrument::SetResizeListener(std::function<void(int, int)> listener)
{
    resizeListener = std::move(listener);
}

void Lv2Instrument::ConnectPort(uint32_t port, void* data)
{
    switch (port) {
    case Lv2Ports::kMidiIn:
        midiIn = static_cast<const LV2_Atom_Sequence*>(data);
        return;
    case Lv2Ports::kLeftOut:
        outputs[0] = static_cast<float*>(data);
        return;
    case Lv2Ports::kRightOut:
        outputs[1] = static_cast<float*>(data);
        return;
    default:
        break;
    }
    const uint32_t control = port - Lv2Ports::kFirstControl;
    if (port >= Lv2Ports::kFirstControl && control < controlPorts.size())
        controlPorts[control] = static_cast<const float*>(data);
}

void Lv2Instrument::Activate()
{
    Dispatch(vst::effMainsChanged, 0, 1);
}

void Lv2Instrument::Deactivate()
{
    Dispatch(vst::effMainsChanged, 0, 0);
}

// A port that changed since the last run sets its parameter once, and only
// when it differs from what the plug-in holds: a host writing back the value
// a program or a restored state gave leaves the exact value in place.
void Lv2Instrument::ApplyControlPorts()
{
    for (size_t i = 0; i < controlPorts.size(); ++i) {
        if (controlPorts[i] == nullptr)
            continue;
        const float port = *controlPorts[i];
        // Compared as bits: a port left at NaN is unchanged too.
        if (std::bit_cast<uint32_t>(port) == std::bit_cast<uint32_t>(lastPortValues[i]))
            continue;
        lastPortValues[i] = port;
        const Parameter& parameter = plugin->GetParameter(controlParameters[i]);
        if (port == static_cast<float>(parameter.value))
            continue;
        effect->setParameter(effect, controlParameters[i], static_cast<float>(parameter.GetNormalised(port)));
    }
}

// The MIDI events of [offset, offset + frames), as the VST event list.
void Lv2Instrument::RenderBlock(uint32_t offset, uint32_t frames)
{
    int32_t count = 0;
    if (midiIn != nullptr) {
        LV2_ATOM_SEQUENCE_FOREACH(midiIn, ev)
        {
            if (ev->body.type != midiEvent || ev->time.frames < offset || ev->time.frames >= offset + frames)
                continue;
            if (count >= static_cast<int32_t>(kMaxEventsPerRun))
                break;
            const auto* bytes = reinterpret_cast<const uint8_t*>(LV2_ATOM_BODY_CONST(&ev->body));
            const uint32_t size = ev->body.size;
            const auto delta = static_cast<int32_t>(ev->time.frames - offset);
            if (size > 0 && bytes[0] == LV2_MIDI_MSG_SYSTEM_EXCLUSIVE) {
                if (size > kMaxSysExBytes)
                    continue;
                vst::VstMidiSysexEvent& e = sysexEvents[static_cast<size_t>(count)];
                e = {};
                e.type = vst::kVstSysExType;
                e.byteSize = static_cast<int32_t>(sizeof e);
                e.deltaFrames = delta;
                e.dumpBytes = static_cast<int32_t>(size);
                e.sysexDump = const_cast<char*>(reinterpret_cast<const char*>(bytes));
                eventList.events[count++] = reinterpret_cast<vst::VstEvent*>(&e);
            } else if (size >= 1 && size <= 3) {
                vst::VstMidiEvent& e = midiEvents[static_cast<size_t>(count)];
                e = {};
                e.type = vst::kVstMidiType;
                e.byteSize = static_cast<int32_t>(sizeof e);
                e.deltaFrames = delta;
                for (uint32_t b = 0; b < size; ++b)
                    e.midiData[b] = static_cast<char>(bytes[b]);
                eventList.events[count++] = reinterpret_cast<vst::VstEvent*>(&e);
            }
        }
    }
    if (count > 0) {
        eventList.numEvents = count;
        Dispatch(vst::effProcessEvents, 0, 0, &eventList);
    }
    float* blockOutputs[2] = {outputs[0] + offset, outputs[1] + offset};
    effect->processReplacing(effect, nullptr, blockOutputs, static_cast<int32_t>(frames));
}

void Lv2Instrument::Run(uint32_t frames)
{
    if (outputs[0] == nullptr || outputs[1] == nullptr)
        return;
    ApplyControlPorts();
    for (uint32_t offset = 0; offset < frames;) {
        const uint32_t block = std::min<uint32_t>(frames - offset, static_cast<uint32_t>(maxBlock));
        RenderBlock(offset, block);
        offset += block;
    }
}

LV2_State_Status Lv2Instrument::SaveState(LV2_State_Store_Function store, LV2_State_Handle handle)
{
    void* chunk = nullptr;
    const intptr_t size = Dispatch(vst::effGetChunk, 0, 0, &chunk);
    if (size <= 0 || chunk == nullptr)
        return LV2_STATE_ERR_UNKNOWN;
    const uint32_t flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
    LV2_State_Status status = store(handle, bankKey, chunk, static_cast<size_t>(size), atomChunk, flags);
    if (status != LV2_STATE_SUCCESS)
        return status;
    const int32_t program = static_cast<int32_t>(Dispatch(vst::effGetProgram));
    return store(handle, programKey, &program, sizeof program, atomInt, flags);
}

LV2_State_Status Lv2Instrument::RestoreState(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle)
{
    // Both properties are checked before either is applied: a state that is
    // refused changes nothing.
    size_t bankSize = 0;
    uint32_t bankType = 0;
    uint32_t flags = 0;
    const void* bank = retrieve(handle, bankKey, &bankSize, &bankType, &flags);
    if (bank != nullptr && (bankType != atomChunk || bankSize == 0 || bankSize > static_cast<size_t>(INT32_MAX)))
        return LV2_STATE_ERR_BAD_TYPE;
    size_t programSize = 0;
    uint32_t programType = 0;
    const void* program = retrieve(handle, programKey, &programSize, &programType, &flags);
    int32_t programIndex = -1;
    if (program != nullptr) {
        if (programType != atomInt || programSize != sizeof(int32_t))
            return LV2_STATE_ERR_BAD_TYPE;
        std::memcpy(&programIndex, program, sizeof programIndex);
        if (programIndex < 0 || programIndex >= effect->numPrograms)
            return LV2_STATE_ERR_UNKNOWN;
    }
    if (bank != nullptr) {
        if (Dispatch(vst::effSetChunk, 0, static_cast<intptr_t>(bankSize), const_cast<void*>(bank)) == 0)
            return LV2_STATE_ERR_UNKNOWN;  // refused: nothing changed
    }
    if (programIndex >= 0)
        Dispatch(vst::effSetProgram, 0, programIndex);
    return LV2_STATE_SUCCESS;
}

}  // namespace orv::framework
