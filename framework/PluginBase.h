// The plug-in object's framework part: parameters, program slots, audio
// channels and the one recursive lock that serialises every host entry. It
// knows nothing of VST; VstPlugin binds it to the host.
#pragma once

#include "framework/AudioChannels.h"
#include "framework/ChannelIoPair.h"
#include "framework/EditorView.h"
#include "framework/MidiMessage.h"
#include "framework/Parameter.h"
#include "framework/ProgramSlot.h"
#include "framework/SerialBuffer.h"
#include "framework/TransportInfo.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace orv::framework {

// What an instrument tells its framework at construction.
struct PluginDescription {
    const char* effectName = "";
    const char* productName = "";
    const char* vendorName = "";
    int32_t uniqueId = 0;
    int32_t version = 0;  // 0xMMMMmmbb
    const char* channelIo = "0-2";
    int parameterCount = 0;
    int programCount = 0;
    bool isInstrument = false;
    bool takesMidi = false;
    bool doesChunks = true;
};

class PluginBase {
public:
    using Lock = std::recursive_mutex;
    using LockGuard = std::lock_guard<std::recursive_mutex>;

    static constexpr int32_t kChunkMagic = 0x70666674;  // "tffp" when stored little-endian
    static constexpr int32_t kFrameworkVersion = 0x00010000;
    static constexpr int kDefaultBlockSize = 1024;

    explicit PluginBase(const PluginDescription& description);
    virtual ~PluginBase();
    PluginBase(const PluginBase&) = delete;
    PluginBase& operator=(const PluginBase&) = delete;

    // --- overridable operations -------------------------------------------
    virtual void ResetProcessing();
    virtual void ParameterChanged(int index);
    // Must write frames doubles to every output entry.
    virtual void RenderBlock(double** inputs, double** outputs, int32_t frames);
    // Before the editor's window opens in parent: the last moment to settle
    // the editor's size for it.
    virtual void EditorOpening(void* /*parent*/) {}
    virtual void EditorOpened() {}
    virtual void EditorClosed() {}
    // The system's scale for the open editor's window changed (it moved to
    // another screen, or the screen's setting changed).
    virtual void EditorSystemScaleChanged(double /*scale*/) {}
    virtual void IdleTick() {}
    virtual void ActivationChanged(bool active);
    virtual void HandleMidiMessage(const MidiMessage& message);
    virtual void HandleSysEx(const SysExMessage& /*message*/) {}
    virtual bool NameMidiKey(int32_t key, char* text, size_t capacity);
    virtual bool WriteProgramState(SerialBuffer& buffer);
    virtual int ReadProgramState(const SerialBuffer& buffer, int position);
    virtual bool ParametersMatch(const std::vector<double>& values, size_t start) const;
    virtual void EditorResized() {}
    virtual void HostIdentified() {}
    virtual void SetParameterFromEditor(int index, double normalised);
    virtual void BeginParameterEdit(int index) = 0;
    virtual void AutomateParameter(int index, double normalised) = 0;
    virtual void EndParameterEdit(int index) = 0;
    virtual void NotifyProgramChange() = 0;
    virtual bool IsRenderingOffline() { return false; }
    virtual int64_t GetSamplePosition() = 0;
    virtual double GetTempo() = 0;
    virtual void GetTimeSignature(int32_t& numerator, int32_t& denominator) = 0;
    virtual void GetTransportInfo(TransportInfo& info) = 0;
    virtual int32_t IdentifyHost() { return hostCode; }
    virtual int32_t GetInterfaceCode() const { return interfaceCode; }
    virtual void ResizeEditor() = 0;
    virtual void HostSpecificSetup() {}
    // Makes newEditor the plug-in's editor (not owned: its creator keeps it
    // and detaches it before destroying it) and shows every parameter in it.
    virtual void AttachEditor(EditorView* newEditor);
    void DetachEditor();
    virtual void SetLatency(int32_t samples);
    virtual bool SendMidiToHost(const MidiMessage& message) = 0;
    virtual bool SendSysExToHost(const SysExMessage& /*message*/) { return false; }
    virtual void RefreshParameterControls();
    // Shows a value in the editor's controls bound to index, when an editor
    // is attached; value is normalised or in the parameter's own units.
    void PushParameterToControls(int index, double value, bool normalised);
    virtual int UnserializePresets(const SerialBuffer& buffer, int position);
    virtual void ModifyCurrentPreset(const char* name);
    virtual void ProgramsChanged() {}
    virtual void SetSampleRate(double rate) { sampleRate = rate; }
    virtual void SetBlockSize(int32_t frames);

    // --- parameters ---------------------------------------------------------
    int ParameterCount() const { return static_cast<int>(parameters.size()); }
    bool IsValidParameter(int index) const { return index >= 0 && index < ParameterCount(); }
    Parameter& GetParameter(int index) { return *parameters[static_cast<size_t>(index)]; }
    const Parameter& GetParameter(int index) const { return *parameters[static_cast<size_t>(index)]; }
    void ReportAllParametersToHost();

    // --- program slots --------------------------------------------------------
    int ProgramCount() const { return static_cast<int>(programs.size()); }
    bool IsValidProgram(int index) const { return index >= 0 && index < ProgramCount(); }
    ProgramSlot& GetProgramSlot(int index) { return *programs[static_cast<size_t>(index)]; }
    int CurrentProgram() const { return currentProgram; }
    const char* GetProgramName(int index) const;
    bool RecallProgram(int index);
    void FillEmptyPrograms(int count);
    bool SerializePresets(SerialBuffer& buffer);
    bool SerializeParams(SerialBuffer& buffer);
    int UnserializeParams(const SerialBuffer& buffer, int position);
    static void WriteFrameworkHeader(SerialBuffer& buffer);

    // --- program and bank files (FXP / FXB) -----------------------------------
    // Each holds the plug-in lock, so it never races with processing. A read
    // that fails changes nothing.
    bool WriteProgramFile(const char* path);
    bool WriteBankFile(const char* path);
    bool ReadProgramFile(const char* path);
    bool ReadBankFile(const char* path);
    // The same readers on a file's bytes already in memory.
    bool ReadProgramData(const SerialBuffer& file);
    bool ReadBankData(const SerialBuffer& file);
    static int32_t ReadFrameworkHeader(const SerialBuffer& buffer, int& position);

    // Decimal form of a 0xMMMMmmbb version: 2.0.0 -> 20000.
    static int32_t DecimalVersion(int32_t packed);

    // --- facts ------------------------------------------------------------------
    Lock& GetLock() { return lock; }
    double SampleRate() const { return sampleRate; }
    int32_t BlockSize() const { return blockSize; }
    bool IsInstrument() const { return isInstrument; }
    bool TakesMidi() const { return takesMidi; }
    bool DoesChunks() const { return doesChunks; }
    EditorView* Editor() const { return editor; }
    // True when the editor can be shown to the host in a window of its own.
    bool OffersEditor() const { return editor != nullptr && editor->CanOpenWindow(); }
    // True when some legal I/O pair has the given input count (and, unless
    // outputs is negative, the given output count).
    bool LegalIO(int inputs, int outputs) const;

protected:
    int InputChannelCount() const { return static_cast<int>(inputChannels.size()); }
    int OutputChannelCount() const { return static_cast<int>(outputChannels.size()); }
    // A host that passes more frames than its last block size gets larger
    // scratch buffers rather than an overrun. This allocates, but only for a
    // host that breaks its own promise; the block size itself is unchanged.
    void EnsureScratchFrames(int32_t frames);

    char effectName[128] = {};
    char productName[128] = {};
    char vendorName[128] = {};
    int32_t uniqueId = 0;
    int32_t version = 0;
    int32_t interfaceCode = 0;
    int32_t hostCode = -1;
    int32_t hostVersion = 0;
    bool doesChunks = true;
    bool isInstrument = false;
    bool takesMidi = false;
    int32_t currentProgram = 0;
    double sampleRate = 44100.0;
    int32_t blockSize = 0;
    int32_t latency = 0;
    int32_t tailSize = 0;

    std::vector<ChannelIoPair> legalIo;
    std::vector<std::unique_ptr<Parameter>> parameters;
    std::vector<std::unique_ptr<ProgramSlot>> programs;
    EditorView* editor = nullptr;
    std::vector<double*> inputPointers;
    std::vector<double*> outputPointers;
    std::vector<InputChannel> inputChannels;
    std::vector<OutputChannel> outputChannels;

    // Everything a failed bank or program read could have touched, so that
    // the read can be undone.
    struct PresetSnapshot {
        int32_t currentProgram = 0;
        SerialBuffer liveState;
        std::vector<ProgramSlot> slots;
    };
    PresetSnapshot TakeSnapshot();
    void RestoreSnapshot(const PresetSnapshot& snapshot);

private:
    void ParseChannelIo(const char* text);

    Lock lock;
};

}  // namespace orv::framework
