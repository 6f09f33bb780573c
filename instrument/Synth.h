// The instrument's shell between the VST binding and ORV itself: tuning, the
// per-user configuration, MIDI settings and learned controllers, the program
// clipboard and the startup bank.
#pragma once

#include "engine/Engine.h"
#include "engine/MtsClient.h"
#include "framework/VstPlugin.h"
#include "platform/ProfileSnapshot.h"

#include <cstdint>
#include <memory>
#include <string>

namespace orv::editor {
class Control;
class Graphics;
}  // namespace orv::editor

namespace orv::instrument {

class Synth : public framework::VstPlugin {
public:
    // The controllers that can be learned (the rest are channel mode messages).
    static constexpr int kControllerCount = engine::Engine::kControllerCount;
    // WriteConfiguration selectors: everything, or one of the two MIDI flags
    // (the option menu's action numbers of those entries).
    static constexpr int kConfigAll = -1;
    static constexpr int kConfigMidiThru = 22;
    static constexpr int kConfigIgnoreProgramChange = 23;

    enum ConfigStatus { kConfigOk = 0, kConfigFileMissing = 1 };

    Synth(const framework::PluginDescription& description, framework::vst::HostCallback hostCallback);
    ~Synth() override;

    // --- operations the instrument completes ------------------------------------
    // Stops every sounding note (with its release).
    virtual void ReleaseAllNotes() {}
    // Loads the startup bank, or the factory bank when there is none.
    virtual void LoadStartupBank();
    // Fills the parameter records; called once while the instrument is built.
    virtual void DefineParameters() {}
    // Resets the current program to the parameter defaults, named "Init".
    virtual void InitializeProgram();
    // Reads the user's settings file (once, whatever the number of keys).
    virtual ConfigStatus ReadConfiguration();
    // Fills the editor's graphics context with the panel's controls; called
    // while the instrument is built, before the context is attached, and
    // again whenever the panel's scale changes.
    virtual void CreateEditorLayout() {}
    // The user chose another panel size (or reloaded the settings file).
    virtual void PanelSizeChanged() {}

    void ResetProcessing() override;
    void ParameterChanged(int index) override;
    void ActivationChanged(bool active) override;

    // --- programs ---------------------------------------------------------------
    bool LoadBankFromMemory(const unsigned char* bytes, size_t size);
    bool LoadFactoryBank();
    void CopyProgram();
    void PasteProgram();
    void SwitchProgram(int index);

    // --- configuration ----------------------------------------------------------
    void WriteConfiguration(int selector);
    void SelectStartupBank(const std::string& path);
    void UnselectStartupBank();
    void WriteProgramFilesPath(const std::string& folder);
    void SetMidiThru(bool on);
    void SetIgnoreProgramChange(bool on);
    // The user's panel size in percent, 0 for automatic (from the host or
    // the system); stored in the settings file.
    static constexpr int kPanelSizeAutomatic = 0;
    void SetPanelSize(int percent);
    int PanelSizePercent() const { return panelSizePercent; }
    const std::string& IniPath() const { return iniPath; }
    const std::string& StartupBankPath() const { return startupBankPath; }
    const std::string& ProgramFilesPath() const { return programFilesPath; }
    const std::string& DocumentsFolder() const { return documentsFolder; }
    bool ClipboardHoldsProgram() const { return programClipboard.Size() > 0; }
    bool MidiThru() const { return midiThru; }
    bool IgnoresProgramChange() const { return ignoreProgramChange; }

    // --- MIDI learn ---------------------------------------------------------------
    // Arms (or disarms) learning; forget unbinds instead of binding.
    void ArmMidiLearn(bool armed, bool forget);
    bool LearnArmed() const { return learnArmed; }
    bool LearnForgets() const { return learnForget; }
    const engine::MtsClient* Tuning() const { return tuning.get(); }
    // Controller number (0..119) -> parameter index, or -1 when not learned.
    const int32_t* ControlMap() const { return controlMap; }

    // --- editor -----------------------------------------------------------------
    // The editor's graphics context; it lives as long as the instrument.
    editor::Graphics* EditorGraphics() const { return graphics.get(); }
    // Builds the panel into another context and attaches that one instead:
    // a context without a window of the caller's choosing (tests, renders).
    void ReplaceEditorGraphics(std::unique_ptr<editor::Graphics> context);

protected:
    // Locates the settings file, creating folder and file when missing, and
    // reads it once.
    void OpenConfiguration();
    // Reads the shell's own keys (startup bank, program folder, MIDI
    // settings, learned controllers) from the settings file read once.
    ConfigStatus ReadShellSettings(const platform::ProfileSnapshot& file);
    // A controller number arrived while learning is armed.
    void LearnController(int controller);
    void CompleteMidiLearn();
    void TurnLearnSwitchOff();
    // The panel's controls are about to go with their context.
    virtual void ForgetEditorControls() { learnSwitch = nullptr; }

    std::unique_ptr<editor::Graphics> graphics;
    std::unique_ptr<engine::MtsClient> tuning;
    int32_t controlMap[kControllerCount];
    // The panel's learn switch, turned off when a learn completes; owned by
    // the graphics context.
    editor::Control* learnSwitch = nullptr;
    bool learnArmed = false;
    bool learnForget = false;
    int32_t learnCc = -1;
    int32_t learnTarget = -1;
    bool midiThru = false;
    bool ignoreProgramChange = false;
    int panelSizePercent = kPanelSizeAutomatic;

    std::string iniPath;
    std::string documentsFolder;
    std::string programFilesPath;
    std::string startupBankPath;
    framework::SerialBuffer programClipboard;
    int32_t clipboardProgramIndex = -1;

private:
    void WriteStartupBankEntry();
    void WritePanelSize();
};

}  // namespace orv::instrument
