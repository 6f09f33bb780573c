// A plug-in on the bare framework that records what reaches the instrument's
// hooks, with a scripted host behind it. It renders a known value per output
// channel so tests can see which host buffer received which channel.
#pragma once

#include "framework/VstPlugin.h"
#include "tests/host/ScriptedHost.h"

#include <cstdio>
#include <string>
#include <vector>

namespace hosttest {

class RecordingPlugin : public orv::framework::VstPlugin {
public:
    struct Render {
        int32_t frames = 0;
        std::vector<double*> inputs;
        std::vector<double*> outputs;
        std::vector<std::vector<double>> inputSamples;  // what the renderer read
    };

    static orv::framework::PluginDescription Describe(const char* channelIo)
    {
        orv::framework::PluginDescription description;
        description.effectName = "Recorder";
        description.vendorName = "Tests";
        description.uniqueId = orv::framework::vst::FourCC('R', 'e', 'c', '1');
        description.version = 0x00010203;
        description.channelIo = channelIo;
        description.parameterCount = 12;
        description.programCount = 4;
        description.isInstrument = true;
        description.takesMidi = true;
        return description;
    }

    RecordingPlugin(ScriptedHost& host, const char* channelIo = "0-2")
        : orv::framework::VstPlugin(Describe(channelIo), &ScriptedHost::Callback)
    {
        host.Adopt(Effect());
    }

    intptr_t Dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f)
    {
        return Effect()->dispatcher(Effect(), opcode, index, value, ptr, opt);
    }

    // Output channel c renders this value times (c + 1).
    static constexpr double kRenderValue = 0.5;

    void RenderBlock(double** inputs, double** outputs, int32_t frames) override
    {
        Render render;
        render.frames = frames;
        render.inputs.assign(inputs, inputs + InputChannelCount());
        render.outputs.assign(outputs, outputs + OutputChannelCount());
        for (double* input : render.inputs)
            render.inputSamples.emplace_back(input != nullptr ? input : nullptr,
                                             input != nullptr ? input + frames : nullptr);
        for (int c = 0; c < OutputChannelCount(); ++c)
            if (outputs[c] != nullptr)
                for (int32_t k = 0; k < frames; ++k)
                    outputs[c][k] = kRenderValue * (c + 1);
        renders.push_back(std::move(render));
    }

    void HandleMidiMessage(const orv::framework::MidiMessage& message) override
    {
        char line[48];
        std::snprintf(line, sizeof line, "midi %d %02x %02x %02x", static_cast<int>(message.offset), message.status,
                      message.data1, message.data2);
        log.emplace_back(line);
        if (passMidiThrough)
            orv::framework::VstPlugin::HandleMidiMessage(message);
    }

    void HandleSysEx(const orv::framework::SysExMessage& message) override
    {
        log.push_back("sysex " + std::to_string(message.offset) + " " + std::to_string(message.size));
        sysexData.push_back(message.data);
    }

    void ParameterChanged(int index) override { log.push_back("parameter " + std::to_string(index)); }
    void ResetProcessing() override { log.push_back("reset"); }
    void ActivationChanged(bool active) override { log.push_back(active ? "active 1" : "active 0"); }
    void HostIdentified() override { log.push_back("identified " + std::to_string(hostCode)); }

    // Channels can be disconnected anywhere, not only at the end as a
    // speaker arrangement does.
    void SetOutputConnected(int channel, bool connected)
    {
        outputChannels[static_cast<size_t>(channel)].connected = connected;
    }

    std::vector<Render> renders;
    std::vector<std::string> log;
    std::vector<const uint8_t*> sysexData;
    bool passMidiThrough = false;
};

}  // namespace hosttest
