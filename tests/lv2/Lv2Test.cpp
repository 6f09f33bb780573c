// The LV2 bundle as an LV2 host sees it, with lilv (the reference host
// library) as the host: its description, its sound against the VST 2
// library's, its state and its presets.
#include "tests/host/HostedPlugin.h"
#include "tests/host/UridMap.h"

#include "framework/Lv2Instrument.h"
#include "tools/orvhost/DemoPhrase.h"

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/atom/forge.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/midi/midi.h>
#include <lv2/options/options.h>
#include <lv2/presets/presets.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace orv::framework;
using namespace hosttest;

namespace {

constexpr const char* kPluginUri = "http://www.tarnwick.com/plugins/orv";
constexpr double kRate = 48000.0;
constexpr int32_t kBlock = 256;
constexpr size_t kMidiBufferBytes = 16384;

struct World {
    World()
    {
        world = lilv_world_new();
        // The LV2 vocabulary (plug-in classes) from the system's folder only,
        // so that an installed copy of the bundle plays no part.
        LilvNode* systemPath = lilv_new_string(world, "/usr/lib/lv2");
        lilv_world_set_option(world, LILV_OPTION_LV2_PATH, systemPath);
        lilv_node_free(systemPath);
        lilv_world_load_all(world);
        LilvNode* bundle = lilv_new_file_uri(world, nullptr, ORV_LV2_BUNDLE "/");
        lilv_world_load_bundle(world, bundle);
        lilv_node_free(bundle);
        LilvNode* uri = lilv_new_uri(world, kPluginUri);
        plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), uri);
        lilv_node_free(uri);
    }
    ~World() { lilv_world_free(world); }

    LilvWorld* world = nullptr;
    const LilvPlugin* plugin = nullptr;
};

World& TheWorld()
{
    static World world;
    return world;
}

// One instance with its ports connected, fed the way a host feeds it.
class Lv2Instance {
public:
    Lv2Instance()
    {
        const uint32_t ports = lilv_plugin_get_num_ports(TheWorld().plugin);
        controls.assign(ports, 0.0f);
        // Control ports start at their defaults, as hosts start them.
        std::vector<float> defaults(ports), minimums(ports), maximums(ports);
        lilv_plugin_get_port_ranges_float(TheWorld().plugin, minimums.data(), maximums.data(), defaults.data());
        for (uint32_t p = Lv2Ports::kFirstControl; p < ports; ++p)
            controls[p] = defaults[p];
        left.assign(kBlock, 0.0f);
        right.assign(kBlock, 0.0f);
        midi.resize(kMidiBufferBytes / sizeof(uint64_t));
        maxBlock = kBlock;
        const LV2_URID intType = urids.Map(LV2_ATOM__Int);
        options[0] = {LV2_OPTIONS_INSTANCE, 0,       urids.Map(LV2_BUF_SIZE__maxBlockLength),
                      sizeof maxBlock,      intType, &maxBlock};
        options[1] = {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr};
        instance = lilv_plugin_instantiate(TheWorld().plugin, kRate, features);
        if (instance == nullptr)
            return;
        lilv_instance_connect_port(instance, Lv2Ports::kMidiIn, midi.data());
        lilv_instance_connect_port(instance, Lv2Ports::kLeftOut, left.data());
        lilv_instance_connect_port(instance, Lv2Ports::kRightOut, right.data());
        for (uint32_t p = Lv2Ports::kFirstControl; p < ports; ++p)
            lilv_instance_connect_port(instance, p, &controls[p]);
        lilv_instance_activate(instance);
    }
    ~Lv2Instance()
    {
        if (instance != nullptr) {
            lilv_instance_deactivate(instance);
            lilv_instance_free(instance);
        }
    }

    // One block with the given short MIDI messages (frame, bytes).
    void Run(const std::vector<orv::host::ScheduledMidi>& events, int64_t blockStart)
    {
        LV2_Atom_Forge forge;
        lv2_atom_forge_init(&forge, &urids.map);
        lv2_atom_forge_set_buffer(&forge, reinterpret_cast<uint8_t*>(midi.data()), kMidiBufferBytes);
        LV2_Atom_Forge_Frame frame;
        lv2_atom_forge_sequence_head(&forge, &frame, 0);
        const LV2_URID midiEvent = urids.Map(LV2_MIDI__MidiEvent);
        for (const auto& e : events) {
            const uint8_t bytes[3] = {e.status, e.data1, e.data2};
            const uint32_t size = (e.status & 0xF0) == 0xC0 || (e.status & 0xF0) == 0xD0 ? 2 : 3;
            lv2_atom_forge_frame_time(&forge, e.frame - blockStart);
            lv2_atom_forge_atom(&forge, size, midiEvent);
            lv2_atom_forge_write(&forge, bytes, size);
        }
        lv2_atom_forge_pop(&forge, &frame);
        lilv_instance_run(instance, kBlock);
    }

    vst::AEffect* Effect() { return static_cast<Lv2Instrument*>(lilv_instance_get_handle(instance))->Effect(); }

    UridMap urids;
    int32_t maxBlock = kBlock;
    LV2_Options_Option options[2]{};
    LV2_Feature mapFeature{LV2_URID__map, &urids.map};
    LV2_Feature unmapFeature{LV2_URID__unmap, &urids.unmap};
    LV2_Feature optionsFeature{LV2_OPTIONS__options, options};
    const LV2_Feature* features[4] = {&mapFeature, &unmapFeature, &optionsFeature, nullptr};
    LilvInstance* instance = nullptr;
    std::vector<float> controls, left, right;
    std::vector<uint64_t> midi;  // atom-aligned
};

void SetPortValue(const char* symbol, void* userData, const void* value, uint32_t size, uint32_t /*type*/)
{
    auto* self = static_cast<Lv2Instance*>(userData);
    LilvNode* node = lilv_new_string(TheWorld().world, symbol);
    const LilvPort* port = lilv_plugin_get_port_by_symbol(TheWorld().plugin, node);
    lilv_node_free(node);
    if (port != nullptr && size == sizeof(float))
        std::memcpy(&self->controls[lilv_port_get_index(TheWorld().plugin, port)], value, sizeof(float));
}

// The factory preset of the given name, applied as a host applies it.
bool ApplyPreset(Lv2Instance& instance, const std::string& name)
{
    LilvWorld* world = TheWorld().world;
    LilvNode* presetClass = lilv_new_uri(world, LV2_PRESETS__Preset);
    LilvNode* label = lilv_new_uri(world, LILV_NS_RDFS "label");
    LilvNodes* presets = lilv_plugin_get_related(TheWorld().plugin, presetClass);
    bool applied = false;
    LILV_FOREACH(nodes, i, presets)
    {
        const LilvNode* preset = lilv_nodes_get(presets, i);
        lilv_world_load_resource(world, preset);
        LilvNodes* labels = lilv_world_find_nodes(world, preset, label, nullptr);
        const bool match = labels != nullptr && lilv_nodes_size(labels) > 0 &&
                           name == lilv_node_as_string(lilv_nodes_get_first(labels));
        lilv_nodes_free(labels);
        if (!match)
            continue;
        LilvState* state = lilv_state_new_from_world(world, &instance.urids.map, preset);
        if (state != nullptr) {
            lilv_state_restore(state, instance.instance, &SetPortValue, &instance, 0, instance.features);
            lilv_state_free(state);
            applied = true;
        }
        break;
    }
    lilv_nodes_free(presets);
    lilv_node_free(label);
    lilv_node_free(presetClass);
    return applied;
}

std::string ProgramName(vst::AEffect* effect, int index)
{
    char name[64] = {};
    effect->dispatcher(effect, vst::effGetProgramNameIndexed, index, 0, name, 0.0f);
    return name;
}

std::vector<float> ParameterValues(vst::AEffect* effect)
{
    std::vector<float> values;
    for (int i = 0; i < effect->numParams; ++i)
        values.push_back(effect->getParameter(effect, i));
    return values;
}

TEST(Lv2, TheBundleDescribesAnInstrumentWithAPortPerParameterAndThePrograms)
{
    ASSERT_NE(TheWorld().plugin, nullptr) << "bundle " ORV_LV2_BUNDLE;
    const LilvPlugin* plugin = TheWorld().plugin;
    LilvNode* name = lilv_plugin_get_name(plugin);
    EXPECT_STREQ(lilv_node_as_string(name), "ORV");
    lilv_node_free(name);
    EXPECT_STREQ(lilv_node_as_uri(lilv_plugin_class_get_uri(lilv_plugin_get_class(plugin))),
                 LV2_CORE__InstrumentPlugin);

    HostedPlugin vst;
    ASSERT_LOADED(vst);
    // Every parameter but the reserved slot, with its name and range.
    const uint32_t ports = lilv_plugin_get_num_ports(plugin);
    ASSERT_EQ(ports, Lv2Ports::kFirstControl + static_cast<uint32_t>(vst.effect->numParams) - 1);
    std::vector<float> minimums(ports), maximums(ports), defaults(ports);
    lilv_plugin_get_port_ranges_float(plugin, minimums.data(), maximums.data(), defaults.data());
    const struct {
        uint32_t port;
        int parameter;
        const char* symbol;
        float minimum, maximum;
    } expected[] = {{3, 0, "volume", 0, 1},         {4, 1, "variation_x", -1, 1}, {9, 6, "envelope", 0, 1},
                    {10, 8, "variation_x2", -1, 1}, {12, 10, "morph_mode", 0, 3}, {13, 11, "morph_rate", 0, 1}};
    for (const auto& e : expected) {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, e.port);
        EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(plugin, port)), e.symbol);
        EXPECT_EQ(minimums[e.port], e.minimum) << e.symbol;
        EXPECT_EQ(maximums[e.port], e.maximum) << e.symbol;
        // A new instance plays its first program: the ports start there.
        const float normalised = vst.effect->getParameter(vst.effect, e.parameter);
        EXPECT_NEAR(defaults[e.port], e.minimum + normalised * (e.maximum - e.minimum), 1e-6f) << e.symbol;
    }
    LilvScalePoints* points = lilv_port_get_scale_points(plugin, lilv_plugin_get_port_by_index(plugin, 12));
    EXPECT_EQ(lilv_scale_points_size(points), 4u);
    lilv_scale_points_free(points);

    // One preset per program, named as the program.
    LilvNode* presetClass = lilv_new_uri(TheWorld().world, LV2_PRESETS__Preset);
    LilvNodes* presets = lilv_plugin_get_related(plugin, presetClass);
    EXPECT_EQ(static_cast<int>(lilv_nodes_size(presets)), vst.effect->numPrograms);
    lilv_nodes_free(presets);
    lilv_node_free(presetClass);
}

TEST(Lv2, TheDemoPhrasePlaysBitForBitAsThroughVst2)
{
    HostedPlugin vst;
    ASSERT_LOADED(vst);
    vst.Start(static_cast<float>(kRate), kBlock);
    // A program other than the first, so the preset has something to do.
    constexpr int kProgram = 5;
    const std::string programName = ProgramName(vst.effect, kProgram);
    vst.Dispatch(vst::effSetProgram, 0, kProgram);

    Lv2Instance lv2;
    ASSERT_NE(lv2.instance, nullptr);
    ASSERT_TRUE(ApplyPreset(lv2, programName));
    EXPECT_EQ(ParameterValues(lv2.Effect()), ParameterValues(vst.effect));

    const orv::host::Song song = orv::host::BuildDemoPhrase(kRate);
    const auto& messages = song.schedule.Messages();
    const int64_t totalFrames = static_cast<int64_t>((song.seconds + 2.0) * kRate);
    std::vector<float> vstLeft(kBlock), vstRight(kBlock);
    float* vstOutputs[2] = {vstLeft.data(), vstRight.data()};
    size_t next = 0;
    int64_t mismatches = 0;
    float peak = 0.0f;
    for (int64_t start = 0; start < totalFrames; start += kBlock) {
        std::vector<orv::host::ScheduledMidi> block;
        while (next < messages.size() && messages[next].frame < start + kBlock)
            block.push_back(messages[next++]);
        if (!block.empty()) {
            std::vector<vst::VstMidiEvent> events(block.size());
            std::vector<vst::VstEvent*> pointers;
            for (size_t i = 0; i < block.size(); ++i) {
                events[i].type = vst::kVstMidiType;
                events[i].byteSize = sizeof(vst::VstMidiEvent);
                events[i].deltaFrames = static_cast<int32_t>(block[i].frame - start);
                events[i].midiData[0] = static_cast<char>(block[i].status);
                events[i].midiData[1] = static_cast<char>(block[i].data1);
                events[i].midiData[2] = static_cast<char>(block[i].data2);
            }
            std::vector<uint8_t> storage(sizeof(vst::VstEvents) + block.size() * sizeof(vst::VstEvent*));
            auto* list = reinterpret_cast<vst::VstEvents*>(storage.data());
            list->numEvents = static_cast<int32_t>(block.size());
            vst::VstEvent** entries = list->events;
            for (size_t i = 0; i < block.size(); ++i)
                entries[i] = reinterpret_cast<vst::VstEvent*>(&events[i]);
            vst.Dispatch(vst::effProcessEvents, 0, 0, list);
        }
        vst.effect->processReplacing(vst.effect, nullptr, vstOutputs, kBlock);
        lv2.Run(block, start);
        for (int32_t i = 0; i < kBlock; ++i) {
            mismatches += std::memcmp(&vstLeft[i], &lv2.left[i], sizeof(float)) != 0;
            mismatches += std::memcmp(&vstRight[i], &lv2.right[i], sizeof(float)) != 0;
            peak = std::max(peak, std::fabs(lv2.left[i]));
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(peak, 0.05f);  // the phrase was heard, not two silences compared
}

// The state a host stores, restored into another instance: the same
// programs, names and values; a state that cannot be read changes nothing.
struct StoredState {
    std::map<uint32_t, std::pair<uint32_t, std::vector<uint8_t>>> properties;  // key -> (type, bytes)

    static LV2_State_Status Store(LV2_State_Handle handle, uint32_t key, const void* value, size_t size, uint32_t type,
                                  uint32_t /*flags*/)
    {
        auto* self = static_cast<StoredState*>(handle);
        const auto* bytes = static_cast<const uint8_t*>(value);
        self->properties[key] = {type, std::vector<uint8_t>(bytes, bytes + size)};
        return LV2_STATE_SUCCESS;
    }
    static const void* Retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type, uint32_t* flags)
    {
        auto* self = static_cast<StoredState*>(handle);
        auto it = self->properties.find(key);
        if (it == self->properties.end())
            return nullptr;
        *size = it->second.second.size();
        *type = it->second.first;
        *flags = LV2_STATE_IS_POD;
        return it->second.second.data();
    }
};

const LV2_State_Interface* StateInterface(Lv2Instance& instance)
{
    return static_cast<const LV2_State_Interface*>(
        lilv_instance_get_extension_data(instance.instance, LV2_STATE__interface));
}

std::vector<std::string> ProgramNames(vst::AEffect* effect)
{
    std::vector<std::string> names;
    for (int p = 0; p < effect->numPrograms; ++p)
        names.push_back(ProgramName(effect, p));
    return names;
}

TEST(Lv2, StateRestoresInAnotherInstanceAndBadStatesChangeNothing)
{
    Lv2Instance first;
    ASSERT_NE(first.instance, nullptr);
    ASSERT_TRUE(ApplyPreset(first, "Ice Palace"));
    first.controls[Lv2Ports::kFirstControl] = 0.25f;  // Volume, as a host's automation moves it
    first.Run({}, 0);
    first.Effect()->dispatcher(first.Effect(), vst::effSetProgramName, 0, 0, const_cast<char*>("Renamed"), 0.0f);
    StoredState saved;
    ASSERT_EQ(StateInterface(first)->save(lilv_instance_get_handle(first.instance), &StoredState::Store, &saved, 0,
                                          first.features),
              LV2_STATE_SUCCESS);

    Lv2Instance second;
    ASSERT_NE(second.instance, nullptr);
    LV2_Handle handle = lilv_instance_get_handle(second.instance);
    // The second instance maps URIs on its own; give the state in its ids.
    StoredState translated;
    for (const auto& [key, value] : saved.properties)
        translated.properties[second.urids.Map(first.urids.Unmap(key))] = {
            second.urids.Map(first.urids.Unmap(value.first)), value.second};

    const std::vector<std::string> namesBefore = ProgramNames(second.Effect());
    const std::vector<float> valuesBefore = ParameterValues(second.Effect());
    const uint32_t bankKey = second.urids.Map((std::string(kPluginUri) + kLv2BankKeySuffix).c_str());
    const uint32_t chunkType = second.urids.Map(LV2_ATOM__Chunk);
    const std::vector<uint8_t> bank = translated.properties[bankKey].second;
    struct Hostile {
        const char* what;
        uint32_t type;
        std::vector<uint8_t> bytes;
    } const hostile[] = {
        {"truncated bank", chunkType, std::vector<uint8_t>(bank.begin(), bank.begin() + bank.size() / 2)},
        {"noise", chunkType, std::vector<uint8_t>(64, 0xA5)},
        {"wrong type", second.urids.Map(LV2_ATOM__String), bank},
    };
    for (const Hostile& h : hostile) {
        StoredState bad = translated;
        bad.properties[bankKey] = {h.type, h.bytes};
        EXPECT_NE(StateInterface(second)->restore(handle, &StoredState::Retrieve, &bad, 0, second.features),
                  LV2_STATE_SUCCESS)
            << h.what;
        EXPECT_EQ(ProgramNames(second.Effect()), namesBefore) << h.what;
        EXPECT_EQ(ParameterValues(second.Effect()), valuesBefore) << h.what;
    }

    ASSERT_EQ(StateInterface(second)->restore(handle, &StoredState::Retrieve, &translated, 0, second.features),
              LV2_STATE_SUCCESS);
    EXPECT_EQ(ProgramNames(second.Effect()), ProgramNames(first.Effect()));
    EXPECT_EQ(second.Effect()->dispatcher(second.Effect(), vst::effGetProgram, 0, 0, nullptr, 0.0f),
              first.Effect()->dispatcher(first.Effect(), vst::effGetProgram, 0, 0, nullptr, 0.0f));
    EXPECT_EQ(ParameterValues(second.Effect()), ParameterValues(first.Effect()));
}

}  // namespace
