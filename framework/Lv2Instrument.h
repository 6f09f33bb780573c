// The plug-in as an LV2 instrument. The adapter plays the part of a VST 2
// host toward the plug-in's own effect record: MIDI reaches it as VST events
// with their frame offsets, control ports as setParameter, state as the bank
// chunk and the program number, the panel through effEditOpen. Every path is
// the one a VST 2 host takes, so both formats play the same sound.
#pragma once

#include "framework/VstAbi.h"
#include "framework/VstPlugin.h"

#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace orv::framework {

// The ports, in the order the bundle's description lists them: MIDI in, the
// two outputs, then one control port per parameter the plug-in defines
// (slots it leaves undefined have none).
struct Lv2Ports {
    static constexpr uint32_t kMidiIn = 0;
    static constexpr uint32_t kLeftOut = 1;
    static constexpr uint32_t kRightOut = 2;
    static constexpr uint32_t kFirstControl = 3;
};

// The parameters that get a control port, in port order.
std::vector<int> Lv2ControlParameters(const PluginBase& plugin);

// The symbol of a parameter's port: its name in lower case, words joined by '_'.
std::string Lv2PortSymbol(const char* parameterName);

// The data of the host feature with the given URI, or null.
const void* FindLv2Feature(const LV2_Feature* const* features, const char* uri);

// State property keys, under the plug-in's URI.
inline constexpr const char* kLv2BankKeySuffix = "#bank";
inline constexpr const char* kLv2ProgramKeySuffix = "#program";

class Lv2Instrument {
public:
    using EntryPoint = vst::AEffect* (*)(vst::HostCallback);

    // Null when the host lacks the URID map or the plug-in cannot be made.
    static Lv2Instrument* Create(EntryPoint entry, const char* pluginUri, double sampleRate,
                                 const LV2_Feature* const* features);
    ~Lv2Instrument();
    Lv2Instrument(const Lv2Instrument&) = delete;
    Lv2Instrument& operator=(const Lv2Instrument&) = delete;

    void ConnectPort(uint32_t port, void* data);
    void Activate();
    void Deactivate();
    void Run(uint32_t frames);

    LV2_State_Status SaveState(LV2_State_Store_Function store, LV2_State_Handle handle);
    LV2_State_Status RestoreState(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

    vst::AEffect* Effect() { return effect; }
    VstPlugin& Plugin() { return *plugin; }
    const std::vector<int>& ControlParameters() const { return controlParameters; }

    // The panel's way to hear of a size change (audioMasterSizeWindow).
    void SetResizeListener(std::function<void(int width, int height)> listener);

    // The largest event list one run() passes on; more are dropped.
    static constexpr size_t kMaxEventsPerRun = 1024;
    static constexpr size_t kMaxSysExBytes = 512;

private:
    Lv2Instrument() = default;
    static intptr_t HostCallback(vst::AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                 float opt);
    intptr_t Dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f);
    void ApplyControlPorts();
    void GatherEvents(uint32_t frames);
    void RenderBlock(uint32_t offset, uint32_t frames);

    vst::AEffect* effect = nullptr;
    VstPlugin* plugin = nullptr;
    double sampleRate = 44100.0;
    int32_t maxBlock = 4096;
    LV2_URID_Map* map = nullptr;
    LV2_URID midiEvent = 0;
    LV2_URID atomChunk = 0;
    LV2_URID atomInt = 0;
    LV2_URID bankKey = 0;
    LV2_URID programKey = 0;

    const LV2_Atom_Sequence* midiIn = nullptr;
    float* outputs[2] = {nullptr, nullptr};
    std::vector<int> controlParameters;
    std::vector<const float*> controlPorts;
    std::vector<float> lastPortValues;

    // The event list handed to effProcessEvents, built without allocating.
    struct EventList {
        int32_t numEvents;
        intptr_t reserved;
        vst::VstEvent* events[kMaxEventsPerRun];
    };
    EventList eventList{};
    std::array<vst::VstMidiEvent, kMaxEventsPerRun> midiEvents{};
    std::array<vst::VstMidiSysexEvent, kMaxEventsPerRun> sysexEvents{};

    std::function<void(int, int)> resizeListener;
};

}  // namespace orv::framework
