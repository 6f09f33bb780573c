#include "tests/host/Lv2CallScript.h"

#include "framework/Lv2Instrument.h"
#include "instrument/Lv2Identity.h"
#include "instrument/OrvEffect.h"
#include "tests/host/HostCallScript.h"
#include "tests/host/ScriptReader.h"
#include "tests/host/UridMap.h"

#include <lv2/atom/forge.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/midi/midi.h>
#include <lv2/options/options.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <vector>

namespace hosttest {

namespace {

using orv::framework::Lv2Instrument;
using orv::framework::Lv2Ports;
namespace vst = orv::framework::vst;

constexpr uint32_t kLargestRun = 8192;
constexpr size_t kMidiBytes = 16384;
constexpr size_t kMaxEvents = 32;
constexpr size_t kMaxSavedStates = 4;
constexpr double kRates[] = {8000.0, 22050.0, 44100.0, 48000.0, 96000.0, 384000.0};
constexpr float kPortValues[] = {0.0f,
                                 1.0f,
                                 0.5f,
                                 -1.0f,
                                 3.0f,
                                 -1e30f,
                                 1e30f,
                                 0.25f,
                                 std::numeric_limits<float>::quiet_NaN(),
                                 std::numeric_limits<float>::infinity()};

// A state as a host keeps it: property -> (type, bytes).
using State = std::map<uint32_t, std::pair<uint32_t, std::vector<uint8_t>>>;

LV2_State_Status Store(LV2_State_Handle handle, uint32_t key, const void* value, size_t size, uint32_t type, uint32_t)
{
    const auto* bytes = static_cast<const uint8_t*>(value);
    (*static_cast<State*>(handle))[key] = {type, std::vector<uint8_t>(bytes, bytes + size)};
    return LV2_STATE_SUCCESS;
}

const void* Retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type, uint32_t* flags)
{
    const State& state = *static_cast<State*>(handle);
    const auto it = state.find(key);
    if (it == state.end())
        return nullptr;
    *size = it->second.second.size();
    *type = it->second.first;
    *flags = LV2_STATE_IS_POD;
    return it->second.second.data();
}

}  // namespace

class Lv2CallScript::Host {
public:
    LV2_URID Map(const char* uri) { return urids.Map(uri); }

    // A new instance; maxBlock 0: the host gives no block-size option.
    std::unique_ptr<Lv2Instrument> Instantiate(double rate, int32_t maxBlock)
    {
        declaredMaxBlock = maxBlock;
        options[0] = {
            LV2_OPTIONS_INSTANCE, 0, Map(LV2_BUF_SIZE__maxBlockLength), sizeof declaredMaxBlock, Map(LV2_ATOM__Int),
            &declaredMaxBlock};
        options[1] = {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr};
        const LV2_Feature* withOptions[] = {&mapFeature, &optionsFeature, nullptr};
        const LV2_Feature* without[] = {&mapFeature, nullptr};
        std::unique_ptr<Lv2Instrument> made(Lv2Instrument::Create(&orv::instrument::CreateOrvEffect,
                                                                  orv::instrument::kLv2PluginUri, rate,
                                                                  maxBlock > 0 ? withOptions : without));
        if (made != nullptr) {
            controls.assign(made->ControlParameters().size(), 0.0f);
            for (size_t i = 0; i < controls.size(); ++i)
                controls[i] = static_cast<float>(made->Plugin().GetParameter(made->ControlParameters()[i]).value);
            Connect(*made, true);
        }
        return made;
    }

    void Connect(Lv2Instrument& target, bool connected)
    {
        target.ConnectPort(Lv2Ports::kMidiIn, connected ? midi.data() : nullptr);
        target.ConnectPort(Lv2Ports::kLeftOut, connected ? left.data() : nullptr);
        target.ConnectPort(Lv2Ports::kRightOut, connected ? right.data() : nullptr);
        for (size_t i = 0; i < controls.size(); ++i)
            target.ConnectPort(Lv2Ports::kFirstControl + static_cast<uint32_t>(i), connected ? &controls[i] : nullptr);
    }

    // Fills the MIDI port with events at sorted frames below frames.
    void WriteMidi(ScriptReader& r, uint32_t frames)
    {
        LV2_Atom_Forge forge;
        lv2_atom_forge_init(&forge, &urids.map);
        lv2_atom_forge_set_buffer(&forge, reinterpret_cast<uint8_t*>(midi.data()), kMidiBytes);
        LV2_Atom_Forge_Frame frame;
        lv2_atom_forge_sequence_head(&forge, &frame, 0);
        const size_t count = frames == 0 ? 0 : r.Byte() % (kMaxEvents + 1);
        std::array<uint32_t, kMaxEvents> times{};
        for (size_t e = 0; e < count; ++e)
            times[e] = r.Word() % frames;
        std::sort(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(count));
        const LV2_URID midiEvent = Map(LV2_MIDI__MidiEvent);
        std::array<uint8_t, 600> bytes{};
        for (size_t e = 0; e < count; ++e) {
            const uint8_t kind = r.Byte();
            uint32_t size;
            if (kind % 8 == 7) {  // system exclusive, sometimes longer than the adapter passes on
                size = 2 + r.Word() % (bytes.size() - 2);
                bytes[0] = 0xF0;
                for (uint32_t b = 1; b + 1 < size; ++b)
                    bytes[b] = r.Byte() & 0x7F;
                bytes[size - 1] = 0xF7;
            } else {
                size = kind % 4;  // 0 to 3 bytes, whatever they hold
                for (uint32_t b = 0; b < size; ++b)
                    bytes[b] = r.Byte();
            }
            lv2_atom_forge_frame_time(&forge, times[e]);
            lv2_atom_forge_atom(&forge, size, midiEvent);
            lv2_atom_forge_write(&forge, bytes.data(), size);
        }
        lv2_atom_forge_pop(&forge, &frame);
    }

    UridMap urids;
    LV2_Feature mapFeature{LV2_URID__map, &urids.map};
    int32_t declaredMaxBlock = 0;
    LV2_Options_Option options[2]{};
    LV2_Feature optionsFeature{LV2_OPTIONS__options, options};
    std::vector<uint64_t> midi = std::vector<uint64_t>(kMidiBytes / sizeof(uint64_t));
    std::vector<float> left = std::vector<float>(kLargestRun), right = std::vector<float>(kLargestRun);
    std::vector<float> controls;
    std::vector<State> saved;
};

Lv2CallScript::Lv2CallScript(std::function<long()> allocations) : allocations(std::move(allocations)) {}

Lv2CallScript::~Lv2CallScript() = default;

std::string Lv2CallScript::Play(const uint8_t* data, size_t size)
{
    host = std::make_unique<Host>();
    Host& h = *host;
    ScriptReader r{data, size};
    std::unique_ptr<Lv2Instrument> instance = h.Instantiate(44100.0, 512);
    if (instance == nullptr)
        return "no instance";
    const uint32_t bank =
        h.Map((std::string(orv::instrument::kLv2PluginUri) + orv::framework::kLv2BankKeySuffix).c_str());
    const uint32_t program =
        h.Map((std::string(orv::instrument::kLv2PluginUri) + orv::framework::kLv2ProgramKeySuffix).c_str());
    while (!r.Done()) {
        switch (r.Byte() % 8) {
        case 0: {
            const double rate = r.Pick(kRates);
            const int32_t maxBlock = r.Byte() % 4 == 0 ? 0 : 1 + r.Word() % kLargestRun;
            instance = h.Instantiate(rate, maxBlock);
            if (instance == nullptr)
                return "no instance";
            break;
        }
        case 1:
            instance->Activate();
            break;
        case 2:
            instance->Deactivate();
            break;
        case 3: {
            // Within the declared largest block; a host that declared none may
            // run any length the buffers hold.
            const uint32_t limit = h.declaredMaxBlock > 0 ? static_cast<uint32_t>(h.declaredMaxBlock) : kLargestRun;
            const uint32_t frames = r.Word() % (limit + 1);
            h.WriteMidi(r, frames);
            const long before = allocations ? allocations() : 0;
            instance->Run(frames);
            if (allocations && allocations() != before)
                return "run() allocated memory";
            if (std::string failure = OutputOutOfBounds(h.left.data(), h.right.data(), frames); !failure.empty())
                return failure;
            break;
        }
        case 4:
            if (!h.controls.empty())
                h.controls[r.Byte() % h.controls.size()] = r.Byte() % 4 == 0 ? r.Float() : r.Pick(kPortValues);
            break;
        case 5: {
            State state;
            if (instance->SaveState(&Store, &state) != LV2_STATE_SUCCESS)
                return "saving the state failed";
            if (h.saved.size() == kMaxSavedStates)
                h.saved.erase(h.saved.begin());
            h.saved.push_back(std::move(state));
            break;
        }
        case 6: {
            State state = h.saved.empty() ? State{} : h.saved[r.Byte() % h.saved.size()];
            switch (r.Byte() % 6) {
            case 1:
                if (state.count(bank) != 0)
                    state[bank].second.resize(state[bank].second.size() * (r.Byte() % 8) / 8);
                break;
            case 2:
                for (int flips = r.Byte() % 8; flips > 0 && state.count(bank) != 0 && !state[bank].second.empty();
                     --flips)
                    state[bank].second[r.Word() % state[bank].second.size()] ^=
                        static_cast<uint8_t>(1 + r.Byte() % 255);
                break;
            case 3:
                state[r.Byte() % 2 == 0 ? bank : program].first = h.Map(LV2_ATOM__String);
                break;
            case 4:
                state[program] = {h.Map(LV2_ATOM__Int), {r.Byte(), r.Byte(), r.Byte(), r.Byte()}};
                break;
            case 5:
                state.erase(bank);
                break;
            default:
                break;
            }
            const EffectObservation before = ObserveEffect(instance->Effect());
            if (instance->RestoreState(&Retrieve, &state) != LV2_STATE_SUCCESS &&
                !(ObserveEffect(instance->Effect()) == before))
                return "a refused state changed the programs";
            break;
        }
        default:
            h.Connect(*instance, r.Byte() % 4 != 0);
            break;
        }
        orv::framework::VstPlugin& plugin = instance->Plugin();
        for (int i = 0; i < plugin.ParameterCount(); ++i) {
            const orv::framework::Parameter& p = plugin.GetParameter(i);
            if (!(p.value >= p.minimum && p.value <= p.maximum))
                return "parameter " + std::to_string(i) + " left its range";
        }
    }

    // What a host saves restores into another instance.
    State state;
    if (instance->SaveState(&Store, &state) != LV2_STATE_SUCCESS)
        return "saving the state failed";
    std::unique_ptr<Lv2Instrument> second = h.Instantiate(44100.0, 512);
    if (second == nullptr || second->RestoreState(&Retrieve, &state) != LV2_STATE_SUCCESS)
        return "another instance refused the saved state";
    if (!(ObserveEffect(second->Effect()) == ObserveEffect(instance->Effect())))
        return "the saved state restored other programs or values";
    return {};
}

}  // namespace hosttest
