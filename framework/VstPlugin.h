// The VST 2 binding of the plug-in object: the AEffect record the host holds,
// the dispatcher, the processing callbacks and the calls back into the host.
#pragma once

#include "framework/PluginBase.h"
#include "framework/VstAbi.h"

namespace orv::framework {

class VstPlugin : public PluginBase {
public:
    static constexpr int32_t kVstVersion = 2400;

    VstPlugin(const PluginDescription& description, vst::HostCallback hostCallback);
    ~VstPlugin() override;

    vst::AEffect* Effect() { return &effect; }
    static VstPlugin* FromEffect(vst::AEffect* effect);
    // The open editor's own window (an X window id or an HWND), else null.
    void* EditorWindow() const { return editorWindow; }

    // Host-facing overrides.
    void BeginParameterEdit(int index) override;
    void AutomateParameter(int index, double normalised) override;
    void EndParameterEdit(int index) override;
    void NotifyProgramChange() override;
    bool IsRenderingOffline() override;
    int64_t GetSamplePosition() override;
    double GetTempo() override;
    void GetTimeSignature(int32_t& numerator, int32_t& denominator) override;
    void GetTransportInfo(TransportInfo& info) override;
    int32_t IdentifyHost() override;
    void ResizeEditor() override;
    void HostSpecificSetup() override;
    void AttachEditor(EditorView* newEditor) override;
    void SetLatency(int32_t samples) override;
    bool SendMidiToHost(const MidiMessage& message) override;
    bool SendSysExToHost(const SysExMessage& message) override;

    // Vendors whose hosts must always be given program chunks.
    bool HostNeedsProgramChunks();

    int32_t HostExtensionFlags() const { return hostExtensionFlags; }
    int32_t HostVersion() const { return hostVersion; }

protected:
    intptr_t CallHost(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f);
    // effVendorSpecific; an instrument answers its own private requests and
    // passes the rest on.
    virtual intptr_t VendorSpecific(int32_t index, intptr_t value, void* ptr, float opt);
    // Between a successful effEditOpen and effEditClose.
    bool EditorWindowOpen() const { return editorWindowOpen; }

private:
    friend struct VstEntries;

    intptr_t Dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
    // effEditIdle's window part and effEditKeyDown/Up, without the lock.
    intptr_t DispatchToEditorWindow(int32_t opcode, int32_t index, intptr_t value);
    intptr_t GetChunk(int32_t index, void* ptr);
    intptr_t SetChunk(int32_t index, intptr_t size, const void* data);
    intptr_t CanDo(const char* text);
    intptr_t StringToParameter(int32_t index, const char* text);
    void UpdateEditorRect();
    intptr_t GetPinProperties(bool input, int32_t index, vst::VstPinProperties* properties);
    void SetSpeakerArrangement(const vst::VstSpeakerArrangement* inputs, const vst::VstSpeakerArrangement* outputs);
    void ProcessEvents(const vst::VstEvents* events);
    void ProcessFloat(float** inputs, float** outputs, int32_t frames, bool accumulate);
    void ProcessDouble(double** inputs, double** outputs, int32_t frames);
    template <typename Sample>
    void SilenceHostOutputs(Sample** outputs, int32_t frames);
    const vst::VstTimeInfo* GetTimeInfo(int32_t filter);
    void PublishChannelCounts();

    vst::HostCallback hostCallback = nullptr;
    vst::ERect editorRect = {};
    bool editorWindowOpen = false;  // between a successful effEditOpen and effEditClose
    void* editorWindow = nullptr;
    vst::VstSpeakerArrangement inputArrangement = {};
    vst::VstSpeakerArrangement outputArrangement = {};
    bool setupDone = false;
    int32_t hostExtensionFlags = 0;  // bit 0: Cockos extensions, bit 1: Cockos view-as-config
    SerialBuffer stateChunk;
    SerialBuffer bankChunk;
    bool vendorChecked = false;
    bool vendorNeedsProgramChunks = false;
    vst::AEffect effect = {};
};

}  // namespace orv::framework
