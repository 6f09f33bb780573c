// ORV: a 64-voice instrument of five wavetable tone models on a variation pad.
#pragma once

#include "Engine.h"
#include "Synth.h"

class ORV : public Synth, private EngineListener {
public:
    static constexpr int kParameterCount = 12;
    static constexpr int kProgramCount = 64;
    static constexpr int32_t kVersion = 0x00020000;  // 2.0.0

    explicit ORV(vst::HostCallback hostCallback);

    void ResetProcessing() override;
    void ParameterChanged(int index) override;
    void RenderBlock(double** inputs, double** outputs, int32_t frames) override;
    void HandleMidiMessage(const MidiMessage& message) override;
    bool WriteProgramState(SerialBuffer& buffer) override;
    int ReadProgramState(const SerialBuffer& buffer, int position) override;
    void ReleaseAllNotes() override;
    void DefineParameters() override;
    // Reads the synth-global sound settings, resets the engine with them and
    // then reads the shell's own settings.
    ConfigStatus ReadConfiguration() override;

    const Engine& GetEngine() const { return engine; }

private:
    static PluginDescription Describe();
    void LearnedControllerMoved(int parameterIndex, double normalised) override;

    Engine engine;
};
