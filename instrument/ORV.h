// ORV: a 64-voice instrument of five wavetable tone models on a variation pad.
#pragma once

#include "engine/Engine.h"
#include "instrument/Synth.h"

namespace orv::instrument {

class OrvBall;
class OrvPresetMenu;

class ORV : public Synth, private engine::EngineListener {
public:
    static constexpr int kParameterCount = 12;
    static constexpr int kProgramCount = 64;
    static constexpr int32_t kVersion = 0x00020000;  // 2.0.0

    explicit ORV(framework::vst::HostCallback hostCallback);

    void ResetProcessing() override;
    void ParameterChanged(int index) override;
    void RenderBlock(double** inputs, double** outputs, int32_t frames) override;
    void HandleMidiMessage(const framework::MidiMessage& message) override;
    bool WriteProgramState(framework::SerialBuffer& buffer) override;
    int ReadProgramState(const framework::SerialBuffer& buffer, int position) override;
    void ReleaseAllNotes() override;
    void DefineParameters() override;
    // Reads the synth-global sound settings, resets the engine with them and
    // then reads the shell's own settings.
    ConfigStatus ReadConfiguration() override;

    // Lays the panel out at the scale the user, the host or the system
    // chooses (PanelScaleIndex).
    void CreateEditorLayout() override;
    void RefreshParameterControls() override;
    // Lays the panel out again when its scale is due to change, then places
    // the pad's balls while the editor window is open.
    void IdleTick() override;
    void EditorOpening(void* parent) override;
    void EditorSystemScaleChanged(double scale) override;
    void PanelSizeChanged() override;

    // The panel's scale, an index into the supported scales: the user's
    // panel size when chosen, else the host's content scale, else the
    // system's; the largest supported scale not above the one found.
    int ChosenScaleIndex() const;
    // The scale the panel is laid out at now.
    int PanelScaleIndex() const { return panelScaleIndex; }

    // effVendorSpecific with this index draws the whole panel, as the open
    // editor would show it at the scale in opt (0 or 1 = 100 %, otherwise a
    // supported scale), into ptr: width x height x 4 bytes, rows top to
    // bottom, each pixel red, green, blue, alpha; value must be the buffer's
    // size. Returns 1 when drawn. With a null ptr it returns the image's
    // size instead, width x 65536 + height. For headless renders of the
    // panel; refused at another scale than that of an open editor.
    static constexpr int32_t kSnapshotRequest = framework::vst::FourCC('O', 'R', 'V', 's');
    static constexpr intptr_t kSnapshotSizeShift = 16;
    // The host's content scale: effVendorSpecific with this index and value,
    // the factor in opt (1.5 = 150 %); answered with 1.
    static constexpr int32_t kHostScaleRequest = framework::vst::FourCC('P', 'r', 'e', 'S');
    static constexpr intptr_t kHostScaleValue = framework::vst::FourCC('A', 'e', 'C', 's');
    // The same into a buffer of size bytes; false when nothing could be
    // drawn.
    bool RenderPanelSnapshot(uint8_t* pixels, intptr_t size, double scale);

    const engine::Engine& GetEngine() const { return engine; }

private:
    static framework::PluginDescription Describe();
    void LearnedControllerMoved(int parameterIndex, double normalised) override;
    intptr_t VendorSpecific(int32_t index, intptr_t value, void* ptr, float opt) override;
    void ForgetEditorControls() override;
    // The balls where the current variation values put them.
    void PlaceBalls();
    // Builds the panel's controls at a scale (OrvEditorLayout.cpp).
    void LayOutPanel(int scaleIndex);
    // Lays out a panel that already shows values: they, the controls'
    // defaults and MIDI learn's switch carry over.
    void RelayOutPanel(int scaleIndex);
    // The host's content scale request (value kHostScaleValue); false for
    // any other value.
    bool TakeHostScale(intptr_t value, float opt);
    // Lays the panel out at the chosen scale: at once while no window is
    // open and no control's handler runs, otherwise at the next idle call.
    void UpdatePanelScale();
    // A snapshot's scale index for opt; -1 when it is no supported scale.
    static int SnapshotScaleIndex(double scale);

    engine::Engine engine;
    // The panel's controls, owned by the graphics context.
    OrvPresetMenu* presetMenu = nullptr;
    OrvBall* pad = nullptr;
    int panelScaleIndex = 0;
    bool relayoutPending = false;
    double hostScale = 0.0;    // from the host's content scale request; 0 when none came
    double systemScale = 0.0;  // where the editor last opened; 0 when the system did not say
};

}  // namespace orv::instrument
