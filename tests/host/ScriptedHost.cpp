#include "tests/host/ScriptedHost.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <utility>

using namespace orv::framework;

namespace hosttest {

namespace {

// The callback carries no user pointer: the host is found from the effect.
std::mutex registryMutex;
std::vector<std::pair<const vst::AEffect*, ScriptedHost*>> registry;
thread_local ScriptedHost* constructingHost = nullptr;
std::atomic<size_t> strayCalls{0};

ScriptedHost* FindHost(const vst::AEffect* effect)
{
    {
        std::lock_guard<std::mutex> guard(registryMutex);
        for (const auto& [known, host] : registry)
            if (known == effect)
                return host;
    }
    return constructingHost;
}

// Writes text as a host would: at most capacity bytes, terminator included.
void WriteHostString(void* ptr, const std::string& text, size_t capacity)
{
    if (ptr == nullptr)
        return;
    const size_t length = std::min(text.size(), capacity - 1);
    std::memcpy(ptr, text.data(), length);
    static_cast<char*>(ptr)[length] = '\0';
}

SentEvent CopyEvent(const vst::VstEvent& event)
{
    SentEvent copy;
    copy.type = event.type;
    copy.byteSize = event.byteSize;
    copy.deltaFrames = event.deltaFrames;
    if (event.type == vst::kVstMidiType) {
        std::memcpy(&copy.midi, &event, sizeof copy.midi);
    } else if (event.type == vst::kVstSysExType) {
        std::memcpy(&copy.sysex, &event, sizeof copy.sysex);
        if (copy.sysex.sysexDump != nullptr && copy.sysex.dumpBytes > 0)
            copy.dump.assign(copy.sysex.sysexDump, copy.sysex.sysexDump + copy.sysex.dumpBytes);
    }
    return copy;
}

}  // namespace

ScriptedHost::~ScriptedHost()
{
    std::lock_guard<std::mutex> guard(registryMutex);
    std::erase_if(registry, [this](const auto& entry) { return entry.second == this; });
}

void ScriptedHost::Adopt(const vst::AEffect* effect)
{
    std::lock_guard<std::mutex> guard(registryMutex);
    // An effect record freed by effClose may come back at the same address.
    std::erase_if(registry, [effect](const auto& entry) { return entry.first == effect; });
    registry.emplace_back(effect, this);
}

ScriptedHost::ConstructionScope::ConstructionScope(ScriptedHost& host) : previous(constructingHost)
{
    constructingHost = &host;
}

ScriptedHost::ConstructionScope::~ConstructionScope()
{
    constructingHost = previous;
}

intptr_t ScriptedHost::Callback(vst::AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                float opt)
{
    ScriptedHost* host = FindHost(effect);
    if (host == nullptr) {
        ++strayCalls;
        return 0;
    }
    return host->Answer(effect, opcode, index, value, ptr, opt);
}

intptr_t ScriptedHost::Answer(vst::AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    HostCall call;
    call.effect = effect;
    call.opcode = opcode;
    call.index = index;
    call.value = value;
    call.opt = opt;
    call.hadPtr = ptr != nullptr;
    if (opcode == vst::audioMasterProcessEvents && ptr != nullptr) {
        const auto* list = static_cast<const vst::VstEvents*>(ptr);
        call.eventCount = list->numEvents;
        vst::VstEvent* const* events = vst::EventsOf(*list);
        for (int32_t i = 0; i < list->numEvents; ++i)
            if (events[i] != nullptr)
                call.events.push_back(CopyEvent(*events[i]));
    }
    {
        std::lock_guard<std::mutex> guard(mutex);
        calls.push_back(std::move(call));
    }

    switch (opcode) {
    case vst::audioMasterVersion:
        return 2400;
    case vst::audioMasterGetProductString:
        WriteHostString(ptr, productString, vst::kVstMaxProductStrLen);
        return 1;
    case vst::audioMasterGetVendorString:
        WriteHostString(ptr, vendorString, vst::kVstMaxVendorStrLen);
        return 1;
    case vst::audioMasterGetVendorVersion:
        return vendorVersion;
    case vst::audioMasterGetCurrentProcessLevel:
        return processLevel;
    case vst::audioMasterGetTime:
        return reinterpret_cast<intptr_t>(timeInfo);
    case vst::audioMasterProcessEvents:
        return processEventsResult;
    default:
        return 0;
    }
}

std::vector<HostCall> ScriptedHost::Calls() const
{
    std::lock_guard<std::mutex> guard(mutex);
    return calls;
}

std::vector<HostCall> ScriptedHost::CallsOf(int32_t opcode) const
{
    std::lock_guard<std::mutex> guard(mutex);
    std::vector<HostCall> matching;
    for (const HostCall& call : calls)
        if (call.opcode == opcode)
            matching.push_back(call);
    return matching;
}

std::vector<int32_t> ScriptedHost::Opcodes() const
{
    std::lock_guard<std::mutex> guard(mutex);
    std::vector<int32_t> opcodes;
    for (const HostCall& call : calls)
        opcodes.push_back(call.opcode);
    return opcodes;
}

size_t ScriptedHost::CountOf(int32_t opcode) const
{
    std::lock_guard<std::mutex> guard(mutex);
    return static_cast<size_t>(
        std::count_if(calls.begin(), calls.end(), [opcode](const HostCall& call) { return call.opcode == opcode; }));
}

void ScriptedHost::ClearCalls()
{
    std::lock_guard<std::mutex> guard(mutex);
    calls.clear();
}

size_t ScriptedHost::StrayCallCount()
{
    return strayCalls.load();
}

}  // namespace hosttest
