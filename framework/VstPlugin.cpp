#include "framework/VstPlugin.h"

#include "framework/HostIdentity.h"
#include "framework/NumberText.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace orv::framework {

namespace {

// Strings the dispatcher writes into host buffers are capped at these sizes
// (terminating zero included).
constexpr size_t kProgramNameCapacity = vst::kVstMaxProgNameLen;
constexpr size_t kParameterTextCapacity = vst::kVstExtMaxParamStrLen;

// Host-supplied block sizes beyond this are refused rather than allocated.
constexpr int32_t kLargestBlockSize = 1 << 20;

// The host's vendor and product strings are read into buffers well beyond the
// protocol's 64 bytes: some hosts write more.
constexpr size_t kHostStringCapacity = 256;

// Versions: packed major << 16 | minor << 8 | bug fix; decimal, as hosts
// show them, major * 10000 + minor * 100 + bug fix.
constexpr int kMajorShift = 16;
constexpr int kMinorShift = 8;
constexpr int32_t kMajorMask = 0xffff;
constexpr int32_t kMinorMask = 0xff;
constexpr int32_t kBugFixMask = 0xff;
constexpr int32_t kMajorWeight = 10000;
constexpr int32_t kMinorWeight = 100;

// Cockos (REAPER) extensions: asked through canDo, answered with this value
// (0xbeef in the high half, not 1), remembered as bits of hostExtensionFlags.
constexpr intptr_t kCockosCanDoAnswer = static_cast<intptr_t>(0xbeef0000);
constexpr int32_t kCockosExtensionsBit = 1;
constexpr int32_t kCockosViewAsConfigBit = 2;

// Cockos vendor-specific requests: the index selects, the answer is 0xbeef.
constexpr int32_t kVendorParameterDisplay = 7;  // ptr receives parameter value's text for the value opt
constexpr int32_t kVendorParameterIsStepped = 8;
constexpr intptr_t kVendorAnswered = 0xbeef;

int32_t ToIndex(intptr_t value)
{
    return value < INT32_MIN || value > INT32_MAX ? -1 : static_cast<int32_t>(value);
}

}  // namespace

// The C entry points the host calls through the AEffect record. Each finds the
// plug-in object and holds its lock for the whole call.
struct VstEntries {
    static intptr_t Dispatcher(vst::AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                               float opt)
    {
        VstPlugin* plugin = VstPlugin::FromEffect(effect);
        if (plugin == nullptr)
            return 0;
        if (opcode == vst::effClose) {
            // Wait for any call in progress on another thread, then go.
            plugin->GetLock().lock();
            plugin->GetLock().unlock();
            delete plugin;
            return 0;
        }
        // The editor window's own work runs outside the lock: a menu or a
        // dialog it opens waits for the user, and audio must not wait with it.
        if (opcode == vst::effEditIdle || opcode == vst::effEditKeyDown || opcode == vst::effEditKeyUp) {
            const intptr_t taken = plugin->DispatchToEditorWindow(opcode, index, value);
            if (opcode != vst::effEditIdle)
                return taken;
        }
        PluginBase::LockGuard guard(plugin->GetLock());
        return plugin->Dispatch(opcode, index, value, ptr, opt);
    }

    static void Process(vst::AEffect* effect, float** inputs, float** outputs, int32_t frames)
    {
        if (VstPlugin* plugin = VstPlugin::FromEffect(effect))
            plugin->ProcessFloat(inputs, outputs, frames, true);
    }

    static void ProcessReplacing(vst::AEffect* effect, float** inputs, float** outputs, int32_t frames)
    {
        if (VstPlugin* plugin = VstPlugin::FromEffect(effect))
            plugin->ProcessFloat(inputs, outputs, frames, false);
    }

    static void ProcessDoubleReplacing(vst::AEffect* effect, double** inputs, double** outputs, int32_t frames)
    {
        if (VstPlugin* plugin = VstPlugin::FromEffect(effect))
            plugin->ProcessDouble(inputs, outputs, frames);
    }

    static void SetParameter(vst::AEffect* effect, int32_t index, float value)
    {
        VstPlugin* plugin = VstPlugin::FromEffect(effect);
        if (plugin == nullptr)
            return;
        PluginBase::LockGuard guard(plugin->GetLock());
        if (!plugin->IsValidParameter(index) || !std::isfinite(value))
            return;
        plugin->PushParameterToControls(index, value, true);
        plugin->GetParameter(index).SetNormalised(value);
        plugin->ParameterChanged(index);
    }

    static float GetParameter(vst::AEffect* effect, int32_t index)
    {
        VstPlugin* plugin = VstPlugin::FromEffect(effect);
        if (plugin == nullptr)
            return 0.0f;
        PluginBase::LockGuard guard(plugin->GetLock());
        if (!plugin->IsValidParameter(index))
            return 0.0f;
        return static_cast<float>(plugin->GetParameter(index).GetNormalised());
    }
};

VstPlugin::VstPlugin(const PluginDescription& description, vst::HostCallback callback)
    : PluginBase(description), hostCallback(callback)
{
    effect.magic = vst::kEffectMagic;
    effect.dispatcher = &VstEntries::Dispatcher;
    effect.process = &VstEntries::Process;
    effect.setParameter = &VstEntries::SetParameter;
    effect.getParameter = &VstEntries::GetParameter;
    effect.numPrograms = ProgramCount();
    effect.numParams = ParameterCount();
    effect.numInputs = InputChannelCount();
    effect.numOutputs = OutputChannelCount();
    effect.flags = vst::effFlagsCanReplacing | vst::effFlagsProgramChunks | vst::effFlagsCanDoubleReplacing;
    if (LegalIO(1, -1))
        effect.flags |= vst::effFlagsCanMono;
    effect.flags |= vst::effFlagsIsSynth;
    effect.initialDelay = 0;
    effect.ioRatio = 1.0f;
    effect.object = this;
    effect.uniqueID = uniqueId;
    effect.version = DecimalVersion(version);
    effect.processReplacing = &VstEntries::ProcessReplacing;
    effect.processDoubleReplacing = &VstEntries::ProcessDoubleReplacing;

    auto describe = [](vst::VstSpeakerArrangement& arrangement, int channels) {
        arrangement = {};
        arrangement.numChannels = channels;
        arrangement.type = channels == 0   ? vst::kSpeakerArrEmpty
                           : channels == 1 ? vst::kSpeakerArrMono
                           : channels == 2 ? vst::kSpeakerArrStereo
                                           : vst::kSpeakerArrUserDefined;
    };
    describe(inputArrangement, InputChannelCount());
    describe(outputArrangement, OutputChannelCount());

    for (int i = 0; i < InputChannelCount(); ++i)
        inputChannels[static_cast<size_t>(i)].connected = true;
    for (int i = 0; i < OutputChannelCount(); ++i)
        outputChannels[static_cast<size_t>(i)].connected = true;
}

VstPlugin::~VstPlugin()
{
    effect.object = nullptr;
}

VstPlugin* VstPlugin::FromEffect(vst::AEffect* effect)
{
    return effect != nullptr ? static_cast<VstPlugin*>(effect->object) : nullptr;
}

int32_t PluginBase::DecimalVersion(int32_t packed)
{
    const int32_t major = (packed >> kMajorShift) & kMajorMask;
    const int32_t minor = (packed >> kMinorShift) & kMinorMask;
    const int32_t bugFix = packed & kBugFixMask;
    return major * kMajorWeight + minor * kMinorWeight + bugFix;
}

intptr_t VstPlugin::CallHost(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    return hostCallback != nullptr ? hostCallback(&effect, opcode, index, value, ptr, opt) : 0;
}

intptr_t VstPlugin::DispatchToEditorWindow(int32_t opcode, int32_t index, intptr_t value)
{
    if (!OffersEditor())
        return 0;
    switch (opcode) {
    case vst::effEditIdle:
        editor->IdleEditorWindow();
        return 0;
    case vst::effEditKeyDown:
        return editor->HostKeyDown(HostKeyFromVst(index, static_cast<int>(value))) ? 1 : 0;
    case vst::effEditKeyUp:
        return editor->HostKeyUp(HostKeyFromVst(index, static_cast<int>(value))) ? 1 : 0;
    default:
        return 0;
    }
}

intptr_t VstPlugin::Dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case vst::effOpen:
        HostSpecificSetup();
        for (int i = 0; i < ParameterCount(); ++i)
            ParameterChanged(i);
        return 0;
    case vst::effSetProgram:
        ModifyCurrentPreset(nullptr);
        RecallProgram(ToIndex(value));
        return 0;
    case vst::effGetProgram:
        return currentProgram;
    case vst::effSetProgramName:
        if (text != nullptr) {
            ModifyCurrentPreset(text);
            ProgramsChanged();
        }
        return 0;
    case vst::effGetProgramName:
        if (text != nullptr)
            CopyText(text, kProgramNameCapacity, GetProgramName(currentProgram));
        return 0;
    case vst::effGetParamLabel:
        if (text != nullptr && IsValidParameter(index))
            CopyText(text, kParameterTextCapacity, GetParameter(index).HostLabel());
        return 0;
    case vst::effGetParamDisplay:
        if (text != nullptr && IsValidParameter(index)) {
            const Parameter& parameter = GetParameter(index);
            parameter.FormatDisplay(parameter.value, false, text, kParameterTextCapacity, true);
        }
        return 0;
    case vst::effGetParamName:
        if (text != nullptr && IsValidParameter(index))
            CopyText(text, kParameterTextCapacity, GetParameter(index).HostName());
        return 0;
    case vst::effSetSampleRate:
        SetSampleRate(opt);
        ResetProcessing();
        return 0;
    case vst::effSetBlockSize:
        if (value >= 0 && value <= kLargestBlockSize)
            SetBlockSize(static_cast<int32_t>(value));
        ResetProcessing();
        return 0;
    case vst::effMainsChanged:
        if (value != 0) {
            ActivationChanged(true);
        } else {
            ActivationChanged(false);
            ResetProcessing();
        }
        return 0;
    // The editor requests answer only when the editor is offered to the host
    // (effFlagsHasEditor), so a host never sees a rectangle it cannot open.
    case vst::effEditGetRect:
        if (ptr != nullptr && OffersEditor()) {
            *static_cast<vst::ERect**>(ptr) = &editorRect;
            return 1;
        }
        return 0;
    case vst::effEditOpen:
        if (!OffersEditor())
            return 0;
        EditorOpening(ptr);
        editorWindow = editor->OpenEditorWindow(ptr);
        if (editorWindow == nullptr)
            return 0;
        editorWindowOpen = true;
        EditorOpened();
        return 1;
    case vst::effEditClose:
        if (OffersEditor()) {
            EditorClosed();
            editor->CloseEditorWindow();
            editorWindowOpen = false;
            editorWindow = nullptr;
            return 1;
        }
        return 0;
    case vst::effEditIdle:
    case vst::effIdle:
        IdleTick();
        return 0;
    case vst::effIdentify:
        return vst::FourCC('N', 'v', 'E', 'f');
    case vst::effGetChunk:
        return GetChunk(index, ptr);
    case vst::effSetChunk:
        return SetChunk(index, value, ptr);
    case vst::effProcessEvents:
        if (ptr == nullptr)
            return 0;
        ProcessEvents(static_cast<const vst::VstEvents*>(ptr));
        return 1;
    case vst::effCanBeAutomated:
        return 1;
    case vst::effString2Parameter:
        return StringToParameter(index, text);
    case vst::effGetProgramNameIndexed:
        if (text == nullptr)
            return 0;
        CopyText(text, kProgramNameCapacity, GetProgramName(index));
        return text[0] != '\0' ? 1 : 0;
    case vst::effGetInputProperties:
    case vst::effGetOutputProperties:
        return GetPinProperties(opcode == vst::effGetInputProperties, index, static_cast<vst::VstPinProperties*>(ptr));
    case vst::effGetPlugCategory:
        return isInstrument ? vst::kPlugCategSynth : vst::kPlugCategEffect;
    case vst::effProcessVarIo:
        return 0;
    case vst::effSetSpeakerArrangement:
        SetSpeakerArrangement(reinterpret_cast<const vst::VstSpeakerArrangement*>(value),
                              static_cast<const vst::VstSpeakerArrangement*>(ptr));
        return 1;
    case vst::effGetEffectName:
        if (text == nullptr)
            return 0;
        CopyText(text, vst::kVstMaxEffectNameLen, effectName);
        return 1;
    case vst::effGetVendorString:
        if (text == nullptr)
            return 0;
        CopyText(text, vst::kVstMaxVendorStrLen, vendorName);
        return 1;
    case vst::effGetProductString:
        if (text == nullptr)
            return 0;
        CopyText(text, vst::kVstMaxProductStrLen, productName);
        return 1;
    case vst::effGetVendorVersion:
        return DecimalVersion(version);
    case vst::effVendorSpecific:
        return VendorSpecific(index, value, ptr, opt);
    case vst::effCanDo:
        return CanDo(text);
    case vst::effGetTailSize:
        return tailSize;
    case vst::effGetVstVersion:
        return kVstVersion;
    case vst::effGetMidiKeyName: {
        auto* key = static_cast<vst::MidiKeyName*>(ptr);
        if (key == nullptr)
            return 0;
        key->keyName[0] = '\0';
        return NameMidiKey(key->thisKeyNumber, key->keyName, sizeof key->keyName) ? 1 : 0;
    }
    case vst::effGetSpeakerArrangement:
        if (value != 0)
            *reinterpret_cast<vst::VstSpeakerArrangement**>(value) = &inputArrangement;
        if (ptr != nullptr)
            *static_cast<vst::VstSpeakerArrangement**>(ptr) = &outputArrangement;
        return 1;
    default:
        return 0;
    }
}

intptr_t VstPlugin::StringToParameter(int32_t index, const char* text)
{
    if (!IsValidParameter(index))
        return 0;
    if (text == nullptr)
        return 1;
    Parameter& parameter = GetParameter(index);
    double v = 0.0;
    if (!parameter.HasDisplayTexts()) {
        v = ParseNumber(text);
        if (parameter.negateDisplay)
            v = -v;
    } else {
        const DisplayText* entry = parameter.FindDisplayText(text);
        if (entry == nullptr)
            return 0;
        v = entry->value;
    }
    PushParameterToControls(index, v, false);
    parameter.value = parameter.Clamp(v);
    ParameterChanged(index);
    return 1;
}

intptr_t VstPlugin::CanDo(const char* text)
{
    if (text == nullptr)
        return 0;
    if (std::strcmp(text, "receiveVstTimeInfo") == 0)
        return 1;
    if (takesMidi) {
        for (const char* midi : {"sendVstEvents", "sendVstMidiEvent", "receiveVstEvents", "receiveVstMidiEvent"})
            if (std::strcmp(text, midi) == 0)
                return 1;
    }
    if (std::strcmp(text, "hasCockosExtensions") == 0) {
        hostExtensionFlags |= kCockosExtensionsBit;
        return kCockosCanDoAnswer;
    }
    if (std::strcmp(text, "hasCockosViewAsConfig") == 0) {
        hostExtensionFlags |= kCockosViewAsConfigBit;
        return kCockosCanDoAnswer;
    }
    return 0;
}

intptr_t VstPlugin::VendorSpecific(int32_t index, intptr_t value, void* ptr, float opt)
{
    const int32_t parameterIndex = ToIndex(value);
    if (index == kVendorParameterDisplay) {
        if (ptr == nullptr)
            return 0;
        if (IsValidParameter(parameterIndex))
            GetParameter(parameterIndex)
                .FormatDisplay(opt, true, static_cast<char*>(ptr), kParameterTextCapacity, true);
        return kVendorAnswered;
    }
    if (index == kVendorParameterIsStepped)
        return IsValidParameter(parameterIndex) && GetParameter(parameterIndex).IsStepped() ? kVendorAnswered : 0;
    return 0;
}

intptr_t VstPlugin::GetPinProperties(bool input, int32_t index, vst::VstPinProperties* properties)
{
    const int count = input ? InputChannelCount() : OutputChannelCount();
    if (properties == nullptr || index < 0 || index >= count)
        return 0;
    properties->flags = vst::kVstPinIsActive;
    if (index % 2 == 0 && index < count - 1)
        properties->flags = vst::kVstPinIsActive | vst::kVstPinIsStereo;
    const std::string& label =
        input ? inputChannels[static_cast<size_t>(index)].label : outputChannels[static_cast<size_t>(index)].label;
    if (!label.empty())
        std::snprintf(properties->label, sizeof properties->label, "%s", label.c_str());
    else
        std::snprintf(properties->label, sizeof properties->label, input ? "Input %d" : "Output %d", index + 1);
    return 1;
}

template <typename Channel>
static void ConnectChannels(std::vector<Channel>& channels, int requested)
{
    const int count = static_cast<int>(channels.size());
    const int first = std::clamp(requested, 0, count);
    for (int i = 0; i < first; ++i)
        channels[static_cast<size_t>(i)].connected = true;
    for (int i = first; i < count; ++i) {
        Channel& channel = channels[static_cast<size_t>(i)];
        channel.connected = false;
        *channel.slot = channel.scratch.empty() ? nullptr : channel.scratch.data();
    }
}

void VstPlugin::SetSpeakerArrangement(const vst::VstSpeakerArrangement* inputs,
                                      const vst::VstSpeakerArrangement* outputs)
{
    if (inputs != nullptr)
        ConnectChannels(inputChannels, inputs->numChannels);
    if (outputs != nullptr)
        ConnectChannels(outputChannels, outputs->numChannels);
}

void VstPlugin::PublishChannelCounts()
{
    effect.numInputs = InputChannelCount();
    effect.numOutputs = OutputChannelCount();
    inputArrangement.numChannels = InputChannelCount();
    outputArrangement.numChannels = OutputChannelCount();
}

void VstPlugin::HostSpecificSetup()
{
    if (setupDone)
        return;
    setupDone = true;
    const int32_t code = IdentifyHost();
    if (code == kHostForte || code == kHostAudition || code == kHostOrion || code == kHostSawStudio) {
        // These hosts feed only the first stereo pair of inputs.
        for (size_t i = 2; i < inputChannels.size(); ++i) {
            InputChannel& channel = inputChannels[i];
            channel.connected = false;
            *channel.slot = channel.scratch.empty() ? nullptr : channel.scratch.data();
        }
        if (outputChannels.size() > 2)
            for (size_t i = 2; i < outputChannels.size(); ++i)
                outputChannels[i].connected = true;
    }
    PublishChannelCounts();
    HostIdentified();
}

int32_t VstPlugin::IdentifyHost()
{
    if (hostCode != -1)
        return hostCode;
    char product[kHostStringCapacity] = {};
    CallHost(vst::audioMasterGetProductString, 0, 0, product);
    product[sizeof product - 1] = '\0';
    int32_t versionOfHost = 0;
    if (product[0] != '\0')
        versionOfHost = PackedVersion(static_cast<int32_t>(CallHost(vst::audioMasterGetVendorVersion)));
    hostCode = HostCodeFromProduct(product);
    hostVersion = versionOfHost;
    return hostCode;
}

bool VstPlugin::HostNeedsProgramChunks()
{
    if (!vendorChecked) {
        char vendor[kHostStringCapacity] = {};
        CallHost(vst::audioMasterGetVendorString, 0, 0, vendor);
        vendor[sizeof vendor - 1] = '\0';
        vendorNeedsProgramChunks = VendorNeedsProgramChunks(vendor);
        vendorChecked = true;
    }
    return vendorNeedsProgramChunks;
}

void VstPlugin::BeginParameterEdit(int index)
{
    CallHost(vst::audioMasterBeginEdit, index);
}

void VstPlugin::AutomateParameter(int index, double normalised)
{
    CallHost(vst::audioMasterAutomate, index, 0, nullptr, static_cast<float>(normalised));
}

void VstPlugin::EndParameterEdit(int index)
{
    CallHost(vst::audioMasterEndEdit, index);
}

void VstPlugin::NotifyProgramChange()
{
    CallHost(vst::audioMasterUpdateDisplay);
}

bool VstPlugin::IsRenderingOffline()
{
    return CallHost(vst::audioMasterGetCurrentProcessLevel) == vst::kVstProcessLevelOffline;
}

void VstPlugin::ResizeEditor()
{
    if (editor == nullptr)
        return;
    UpdateEditorRect();
    // An open editor that changes its size asks the host to make room.
    if (editorWindowOpen)
        CallHost(vst::audioMasterSizeWindow, editor->Width(), editor->Height());
    EditorResized();
}

void VstPlugin::AttachEditor(EditorView* newEditor)
{
    if (newEditor == nullptr)
        return;
    LockGuard guard(GetLock());
    PluginBase::AttachEditor(newEditor);
    if (OffersEditor())
        effect.flags |= vst::effFlagsHasEditor;
    UpdateEditorRect();
}

void VstPlugin::UpdateEditorRect()
{
    editorRect.top = 0;
    editorRect.left = 0;
    editorRect.bottom = static_cast<int16_t>(editor->Height());
    editorRect.right = static_cast<int16_t>(editor->Width());
}

void VstPlugin::SetLatency(int32_t samples)
{
    PluginBase::SetLatency(samples);
    effect.initialDelay = samples;
}

}  // namespace orv::framework
