#include "tools/orvhost/HostSession.h"

#include "tools/orvhost/HostIdentity.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

namespace orv::host {

namespace {

// The audioMaster callback carries only the effect record, so the sessions
// are found by record. During the entry point the record is not known yet;
// calls made then go to the session that is loading on this thread.
std::mutex registryLock;
std::vector<std::pair<const framework::vst::AEffect*, HostSession*>> registry;
thread_local HostSession* loadingSession = nullptr;

HostSession* FindSession(const framework::vst::AEffect* effect)
{
    std::lock_guard<std::mutex> guard(registryLock);
    for (const auto& [record, session] : registry)
        if (record == effect)
            return session;
    return nullptr;
}

void Register(const framework::vst::AEffect* effect, HostSession* session)
{
    std::lock_guard<std::mutex> guard(registryLock);
    registry.emplace_back(effect, session);
}

void Unregister(const HostSession* session)
{
    std::lock_guard<std::mutex> guard(registryLock);
    std::erase_if(registry, [session](const auto& entry) { return entry.second == session; });
}

// Host features orvhost has; every other canDo string is answered 0.
constexpr std::array<std::string_view, 6> kHostFeatures = {
    "sendVstEvents",    "sendVstMidiEvent",    "sendVstTimeInfo",
    "receiveVstEvents", "receiveVstMidiEvent", "startStopProcess",
};

// Host strings go into the plug-in's buffer of the protocol's size.
intptr_t CopyHostString(void* destination, const char* text)
{
    if (destination == nullptr)
        return 0;
    char* out = static_cast<char*>(destination);
    const size_t length = std::min(std::strlen(text), framework::vst::kVstMaxVendorStrLen - 1);
    std::memcpy(out, text, length);
    out[length] = '\0';
    return 1;
}

}  // namespace

HostSession::~HostSession()
{
    Close();
    Unregister(this);
}

bool HostSession::Load(const std::string& path)
{
    std::error_code status;
    if (!std::filesystem::exists(path, status)) {
        error = "cannot load plug-in " + path + ": no such file";
        return false;
    }
    if (std::filesystem::is_directory(path, status)) {
        error = "cannot load plug-in " + path + ": is a directory";
        return false;
    }
    if (!module.Load(path)) {
        // The loader's reason often names the file again.
        std::string reason = module.Error();
        const std::string doubled = path + ": " + path + ": ";
        if (reason.starts_with(doubled))
            reason.erase(0, path.size() + 2);
        error = "cannot load plug-in " + (reason.starts_with(path + ": ") ? reason : path + ": " + reason);
        return false;
    }

    loadingSession = this;
    effect = module.Instantiate(&HostSession::Callback);
    loadingSession = nullptr;
    if (effect == nullptr) {
        error = "cannot instantiate plug-in " + path + ": " + module.Error();
        return false;
    }
    Register(effect, this);
    error.clear();
    return true;
}

intptr_t HostSession::Dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    if (effect == nullptr || effect->dispatcher == nullptr)
        return 0;
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::string HostSession::QueryText(int32_t opcode, int32_t index)
{
    std::array<char, 256> buffer{};
    Dispatch(opcode, index, 0, buffer.data());
    buffer.back() = '\0';
    return std::string(buffer.data());
}

intptr_t HostSession::CanDo(const char* feature)
{
    // The plug-in only reads the string, but the ABI takes a non-const pointer.
    std::string copy(feature);
    return Dispatch(framework::vst::effCanDo, 0, 0, copy.data());
}

void HostSession::Open()
{
    if (effect == nullptr || opened)
        return;
    Dispatch(framework::vst::effOpen);
    opened = true;
}

void HostSession::Resume()
{
    if (effect == nullptr || resumed)
        return;
    Open();
    Dispatch(framework::vst::effSetSampleRate, 0, 0, nullptr, static_cast<float>(transport.SampleRate()));
    Dispatch(framework::vst::effSetBlockSize, 0, blockSize);
    Dispatch(framework::vst::effMainsChanged, 0, 1);
    Dispatch(framework::vst::effStartProcess);
    transport.Start();
    resumed = true;
}

void HostSession::SendEvents(framework::vst::VstEvents* events)
{
    Dispatch(framework::vst::effProcessEvents, 0, 0, events);
}

bool HostSession::CanProcess() const
{
    return effect != nullptr && (effect->processReplacing != nullptr || effect->process != nullptr);
}

bool HostSession::UsesReplacing() const
{
    return effect != nullptr && effect->processReplacing != nullptr &&
           (effect->flags & framework::vst::effFlagsCanReplacing) != 0;
}

void HostSession::Process(float** inputs, float** outputs, int32_t frames)
{
    if (!CanProcess())
        return;
    if (UsesReplacing()) {
        effect->processReplacing(effect, inputs, outputs, frames);
    } else {
        for (int32_t channel = 0; channel < effect->numOutputs; ++channel)
            std::fill_n(outputs[channel], frames, 0.0f);
        effect->process(effect, inputs, outputs, frames);
    }
    transport.Advance(frames);
}

void HostSession::Suspend()
{
    if (effect == nullptr || !resumed)
        return;
    Dispatch(framework::vst::effStopProcess);
    Dispatch(framework::vst::effMainsChanged, 0, 0);
    transport.Stop();
    resumed = false;
}

void HostSession::Close()
{
    if (effect == nullptr)
        return;
    Suspend();
    Dispatch(framework::vst::effClose);
    Unregister(this);
    effect = nullptr;
    opened = false;
}

int32_t HostSession::ProgramCount() const
{
    return effect != nullptr ? std::max(effect->numPrograms, 0) : 0;
}

int32_t HostSession::ParameterCount() const
{
    return effect != nullptr ? std::max(effect->numParams, 0) : 0;
}

int32_t HostSession::CurrentProgram()
{
    return static_cast<int32_t>(Dispatch(framework::vst::effGetProgram));
}

std::string HostSession::ProgramName(int32_t index)
{
    return QueryText(framework::vst::effGetProgramNameIndexed, index);
}

std::string HostSession::CurrentProgramName()
{
    return QueryText(framework::vst::effGetProgramName);
}

void HostSession::SelectProgram(int32_t index)
{
    Dispatch(framework::vst::effBeginSetProgram);
    Dispatch(framework::vst::effSetProgram, 0, index);
    Dispatch(framework::vst::effEndSetProgram);
}

void HostSession::RenameCurrentProgram(const std::string& name)
{
    // Plug-ins copy up to the protocol's name length; the copy here is
    // zero-padded well beyond it in case one reads further.
    std::vector<char> buffer(std::max<size_t>(name.size() + 1, 256), '\0');
    std::copy(name.begin(), name.end(), buffer.begin());
    Dispatch(framework::vst::effSetProgramName, 0, 0, buffer.data());
}

float HostSession::GetParameter(int32_t index)
{
    return effect != nullptr && effect->getParameter != nullptr ? effect->getParameter(effect, index) : 0.0f;
}

void HostSession::SetParameter(int32_t index, float value)
{
    if (effect != nullptr && effect->setParameter != nullptr)
        effect->setParameter(effect, index, value);
}

bool HostSession::HasChunks() const
{
    return effect != nullptr && (effect->flags & framework::vst::effFlagsProgramChunks) != 0;
}

bool HostSession::GetChunk(bool bank, std::vector<uint8_t>& bytes)
{
    void* data = nullptr;
    const intptr_t size = Dispatch(framework::vst::effGetChunk, bank ? 0 : 1, 0, &data);
    if (size <= 0 || data == nullptr) {
        error = "the plug-in gave no state (effGetChunk returned " + std::to_string(size) + ")";
        return false;
    }
    if (static_cast<uintmax_t>(size) > kMaxChunkBytes) {
        error = "the plug-in's state is " + std::to_string(size) + " bytes, more than a preset file can hold";
        return false;
    }
    const auto* first = static_cast<const uint8_t*>(data);
    bytes.assign(first, first + size);
    return true;
}

bool HostSession::SetChunk(bool bank, std::vector<uint8_t> bytes)
{
    return Dispatch(framework::vst::effSetChunk, bank ? 0 : 1, static_cast<intptr_t>(bytes.size()), bytes.data()) != 0;
}

intptr_t HostSession::Callback(framework::vst::AEffect* caller, int32_t opcode, int32_t index, intptr_t value,
                               void* ptr, float opt)
{
    HostSession* session = caller != nullptr ? FindSession(caller) : nullptr;
    if (session == nullptr)
        session = loadingSession;
    if (session == nullptr)
        return opcode == framework::vst::audioMasterVersion ? kHostVstVersion : 0;
    return session->Answer(caller, opcode, index, value, ptr, opt);
}

intptr_t HostSession::Answer(framework::vst::AEffect* caller, int32_t opcode, int32_t /*index*/, intptr_t /*value*/,
                             void* ptr, float /*opt*/)
{
    switch (opcode) {
    case framework::vst::audioMasterVersion:
        return kHostVstVersion;
    case framework::vst::audioMasterCurrentId: {
        // Asked by shell plug-ins to learn which sub-plug-in to be; we load
        // no shells, so the answer is the effect's own id once it is known.
        const framework::vst::AEffect* known = effect != nullptr ? effect : caller;
        return known != nullptr && known->magic == framework::vst::kEffectMagic ? known->uniqueID : 0;
    }
    case framework::vst::audioMasterWantMidi:
        return 1;
    case framework::vst::audioMasterGetTime:
        return reinterpret_cast<intptr_t>(transport.Query());
    case framework::vst::audioMasterProcessEvents: {
        const auto* events = static_cast<const framework::vst::VstEvents*>(ptr);
        if (events == nullptr)
            return 0;
        if (events->numEvents > 0)
            eventsFromPlugin += events->numEvents;
        return 1;
    }
    case framework::vst::audioMasterGetSampleRate:
        return static_cast<intptr_t>(transport.SampleRate());
    case framework::vst::audioMasterGetBlockSize:
        return blockSize;
    case framework::vst::audioMasterGetCurrentProcessLevel:
        return processLevel;
    case framework::vst::audioMasterGetVendorString:
        return CopyHostString(ptr, kHostVendor);
    case framework::vst::audioMasterGetProductString:
        return CopyHostString(ptr, kHostProduct);
    case framework::vst::audioMasterGetVendorVersion:
        return kHostVendorVersion;
    case framework::vst::audioMasterCanDo: {
        if (ptr == nullptr)
            return 0;
        const std::string_view feature(static_cast<const char*>(ptr));
        return std::find(kHostFeatures.begin(), kHostFeatures.end(), feature) != kHostFeatures.end() ? 1 : 0;
    }
    default:
        return 0;
    }
}

}  // namespace orv::host
