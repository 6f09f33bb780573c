// A host's audioMaster callback for tests: it answers from a script the test
// sets up and records every call the plug-in makes, with copies of what the
// plug-in pointed to (the events it sent), since that memory is only lent for
// the duration of the call.
#pragma once

#include "framework/VstAbi.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace hosttest {

// One event of a list the plug-in sent with audioMasterProcessEvents.
struct SentEvent {
    int32_t type = 0;
    int32_t byteSize = 0;
    int32_t deltaFrames = 0;
    orv::framework::vst::VstMidiEvent midi{};        // the whole record, when type is kVstMidiType
    orv::framework::vst::VstMidiSysexEvent sysex{};  // the whole record, when type is kVstSysExType
    std::vector<char> dump;                          // the sysex bytes it pointed to
};

struct HostCall {
    const orv::framework::vst::AEffect* effect = nullptr;
    int32_t opcode = 0;
    int32_t index = 0;
    intptr_t value = 0;
    float opt = 0.0f;
    bool hadPtr = false;
    int32_t eventCount = -1;        // numEvents of a sent list
    std::vector<SentEvent> events;  // audioMasterProcessEvents only
};

class ScriptedHost {
public:
    // --- the script: what the host answers ---------------------------------
    std::string productString;                                   // audioMasterGetProductString
    std::string vendorString;                                    // audioMasterGetVendorString
    intptr_t vendorVersion = 0;                                  // audioMasterGetVendorVersion
    intptr_t processLevel = 0;                                   // audioMasterGetCurrentProcessLevel
    const orv::framework::vst::VstTimeInfo* timeInfo = nullptr;  // audioMasterGetTime
    intptr_t processEventsResult = 1;                            // audioMasterProcessEvents

    ScriptedHost() = default;
    ~ScriptedHost();
    ScriptedHost(const ScriptedHost&) = delete;
    ScriptedHost& operator=(const ScriptedHost&) = delete;

    // The callback to hand to the plug-in's entry point or constructor.
    static intptr_t Callback(orv::framework::vst::AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                             void* ptr, float opt);

    // From now on calls that come with this effect reach this host.
    void Adopt(const orv::framework::vst::AEffect* effect);

    // While one of these lives, calls on this thread from an effect no host
    // has adopted yet (during construction) reach host.
    class ConstructionScope {
    public:
        explicit ConstructionScope(ScriptedHost& host);
        ~ConstructionScope();
        ConstructionScope(const ConstructionScope&) = delete;
        ConstructionScope& operator=(const ConstructionScope&) = delete;

    private:
        ScriptedHost* previous;
    };

    // --- what was recorded ---------------------------------------------------
    std::vector<HostCall> Calls() const;
    std::vector<HostCall> CallsOf(int32_t opcode) const;
    std::vector<int32_t> Opcodes() const;
    size_t CountOf(int32_t opcode) const;
    void ClearCalls();

    // Calls that no host could be found for, in this test program.
    static size_t StrayCallCount();

private:
    intptr_t Answer(orv::framework::vst::AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                    float opt);

    mutable std::mutex mutex;
    std::vector<HostCall> calls;
};

}  // namespace hosttest
