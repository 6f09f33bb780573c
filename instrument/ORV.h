// ORV: a 64-voice instrument of five wavetable tone models on a variation pad.
#pragma once

#include "Engine.h"
#include "Synth.h"

class OrvBall;
class OrvPresetMenu;

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

    void CreateEditorLayout() override;
    void RefreshParameterControls() override;
    // Places the pad's balls while the editor window is open.
    void IdleTick() override;

    // effVendorSpecific with this index draws the whole panel, as the open
    // editor would show it, into ptr: kSnapshotBytes bytes, rows top to
    // bottom, each pixel red, green, blue, alpha; value must be the buffer's
    // size. Returns 1 when drawn. For headless renders of the panel.
    static constexpr int32_t kSnapshotRequest = vst::FourCC('O', 'R', 'V', 's');
    static constexpr intptr_t kSnapshotBytes = intptr_t{608} * 352 * 4;
    // The same into a buffer of kSnapshotBytes; false when nothing could be
    // drawn.
    bool RenderPanelSnapshot(uint8_t* pixels, intptr_t size);

    const Engine& GetEngine() const { return engine; }

private:
    static PluginDescription Describe();
    void LearnedControllerMoved(int parameterIndex, double normalised) override;
    intptr_t VendorSpecific(int32_t index, intptr_t value, void* ptr, float opt) override;
    void ForgetEditorControls() override;
    // The balls where the current variation values put them.
    void PlaceBalls();

    Engine engine;
    // The panel's controls, owned by the graphics context.
    OrvPresetMenu* presetMenu = nullptr;
    OrvBall* pad = nullptr;
};
