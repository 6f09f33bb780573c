#include "framework/PluginBase.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace orv::framework {

PluginBase::PluginBase(const PluginDescription& description)
    : uniqueId(description.uniqueId), version(description.version), doesChunks(description.doesChunks),
      isInstrument(description.isInstrument), takesMidi(description.takesMidi)
{
    for (int i = 0; i < description.parameterCount; ++i)
        parameters.push_back(std::make_unique<Parameter>());
    for (int i = 0; i < description.programCount; ++i)
        programs.push_back(std::make_unique<ProgramSlot>());

    CopyText(effectName, sizeof effectName, description.effectName);
    CopyText(productName, sizeof productName, description.productName);
    CopyText(vendorName, sizeof vendorName, description.vendorName);

    ParseChannelIo(description.channelIo);
    SetBlockSize(kDefaultBlockSize);
}

PluginBase::~PluginBase() = default;

void PluginBase::ParseChannelIo(const char* text)
{
    int widestInputs = 0;
    int widestOutputs = 0;
    while (text != nullptr && *text != '\0') {
        ChannelIoPair pair;
        if (std::sscanf(text, "%d-%d", &pair.inputs, &pair.outputs) != 2)
            break;
        legalIo.push_back(pair);
        widestInputs = std::max(widestInputs, pair.inputs);
        widestOutputs = std::max(widestOutputs, pair.outputs);
        text = std::strchr(text, ' ');
        if (text != nullptr)
            ++text;
    }

    inputPointers.assign(static_cast<size_t>(widestInputs), nullptr);
    outputPointers.assign(static_cast<size_t>(widestOutputs), nullptr);
    inputChannels.resize(static_cast<size_t>(widestInputs));
    outputChannels.resize(static_cast<size_t>(widestOutputs));
    for (size_t i = 0; i < inputChannels.size(); ++i)
        inputChannels[i].slot = &inputPointers[i];
    for (size_t i = 0; i < outputChannels.size(); ++i)
        outputChannels[i].slot = &outputPointers[i];
}

bool PluginBase::LegalIO(int inputs, int outputs) const
{
    for (const ChannelIoPair& pair : legalIo)
        if (pair.inputs == inputs && (outputs < 0 || pair.outputs == outputs))
            return true;
    return false;
}

void PluginBase::ResetProcessing()
{
    LockGuard guard(lock);
}

void PluginBase::ParameterChanged(int /*index*/)
{
    LockGuard guard(lock);
}

void PluginBase::ActivationChanged(bool /*active*/)
{
    LockGuard guard(lock);
}

void PluginBase::RenderBlock(double** inputs, double** outputs, int32_t frames)
{
    if (frames <= 0)
        return;
    const size_t count = static_cast<size_t>(frames);
    for (int i = 0; i < OutputChannelCount(); ++i) {
        double* output = outputs[i];
        if (output == nullptr)
            continue;
        const double* input = i < InputChannelCount() ? inputs[i] : nullptr;
        if (input != nullptr)
            std::copy(input, input + count, output);
        else
            std::fill(output, output + count, 0.0);
    }
}

void PluginBase::HandleMidiMessage(const MidiMessage& message)
{
    SendMidiToHost(message);
}

bool PluginBase::NameMidiKey(int32_t /*key*/, char* text, size_t capacity)
{
    CopyText(text, capacity, "");
    return false;
}

bool PluginBase::WriteProgramState(SerialBuffer& buffer)
{
    return SerializeParams(buffer);
}

int PluginBase::ReadProgramState(const SerialBuffer& buffer, int position)
{
    return UnserializeParams(buffer, position);
}

bool PluginBase::ParametersMatch(const std::vector<double>& values, size_t start) const
{
    for (int i = 0; i < ParameterCount(); ++i) {
        const size_t at = start + static_cast<size_t>(i);
        if (at >= values.size())
            return false;
        const float difference = static_cast<float>(GetParameter(i).value) - static_cast<float>(values[at]);
        if (std::fabs(difference) >= 0.00001f)
            return false;
    }
    return true;
}

void PluginBase::SetParameterFromEditor(int index, double normalised)
{
    LockGuard guard(lock);
    if (!IsValidParameter(index))
        return;
    GetParameter(index).SetNormalised(normalised);
    AutomateParameter(index, normalised);
    ParameterChanged(index);
}

void PluginBase::ReportAllParametersToHost()
{
    LockGuard guard(lock);
    for (int i = 0; i < ParameterCount(); ++i)
        AutomateParameter(i, GetParameter(i).GetNormalised());
}

void PluginBase::AttachEditor(EditorView* newEditor)
{
    LockGuard guard(lock);
    if (newEditor == nullptr)
        return;
    // Each control's first value is also its double-click default.
    for (int i = 0; i < ParameterCount(); ++i)
        newEditor->PushParameterToControls(i, GetParameter(i).GetNormalised(), true);
    newEditor->CreateDrawingSurfaces();
    editor = newEditor;
}

void PluginBase::DetachEditor()
{
    LockGuard guard(lock);
    editor = nullptr;
}

void PluginBase::RefreshParameterControls()
{
    LockGuard guard(lock);
    if (editor == nullptr)
        return;
    for (int i = 0; i < ParameterCount(); ++i)
        PushParameterToControls(i, GetParameter(i).value, false);
}

void PluginBase::PushParameterToControls(int index, double value, bool normalised)
{
    if (editor != nullptr)
        editor->PushParameterToControls(index, value, normalised);
}

void PluginBase::SetLatency(int32_t samples)
{
    latency = samples;
}

// Replaces a channel's scratch buffer; a slot that stood on the old buffer
// moves to the new one, so no slot is ever left pointing at freed memory. An
// unconnected channel always renders into its own buffer, also when that
// buffer was empty before (block size 0).
template <typename Channel>
static void ReplaceScratch(Channel& channel, size_t size)
{
    const double* old = channel.scratch.empty() ? nullptr : channel.scratch.data();
    channel.scratch.assign(size, 0.0);
    if (*channel.slot == old || !channel.connected)
        *channel.slot = channel.scratch.empty() ? nullptr : channel.scratch.data();
}

void PluginBase::SetBlockSize(int32_t frames)
{
    if (frames == blockSize)
        return;
    const size_t size = frames > 0 ? static_cast<size_t>(frames) : 0;
    for (InputChannel& channel : inputChannels)
        ReplaceScratch(channel, size);
    for (OutputChannel& channel : outputChannels)
        ReplaceScratch(channel, size);
    blockSize = frames;
}

void PluginBase::EnsureScratchFrames(int32_t frames)
{
    const size_t size = static_cast<size_t>(frames);
    for (InputChannel& channel : inputChannels)
        if (channel.scratch.size() < size)
            ReplaceScratch(channel, size);
    for (OutputChannel& channel : outputChannels)
        if (channel.scratch.size() < size)
            ReplaceScratch(channel, size);
}

}  // namespace orv::framework
