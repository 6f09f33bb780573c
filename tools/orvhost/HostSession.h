// One plug-in instance driven the way a DAW drives it: the library, the
// effect record, the host's audioMaster callback with its answers, and the
// order of calls (open, set rate and block size, resume, process, suspend,
// close). Each orvhost subcommand builds on one session.
#pragma once

#include "tools/orvhost/Transport.h"

#include "framework/VstAbi.h"
#include "tools/hostkit/PluginModule.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv::host {

// Values of audioMasterGetCurrentProcessLevel.
inline constexpr int32_t kProcessLevelUser = 1;  // the calling thread is the user's, not audio
inline constexpr int32_t kProcessLevelOffline = framework::vst::kVstProcessLevelOffline;

// The largest state orvhost takes from a plug-in: preset files store its size
// as a signed 32-bit number, after a header of at most 160 bytes.
inline constexpr uintmax_t kMaxChunkBytes = 0x7fffffff - 160;

class HostSession {
public:
    HostSession() = default;
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // What the host reports to the plug-in; set before Load so that a
    // plug-in asking during construction gets the right answer.
    void SetSampleRate(double rate) { transport.SetSampleRate(rate); }
    void SetBlockSize(int32_t frames) { blockSize = frames; }
    void SetProcessLevel(int32_t level) { processLevel = level; }
    // The song the transport reports while processing.
    void SetTempoMap(const TempoMap& map) { transport.SetTempoMap(map); }

    // Loads the library and asks its entry point for an effect. On failure
    // returns false with a message in Error().
    bool Load(const std::string& path);
    const std::string& Error() const { return error; }
    framework::vst::AEffect* Effect() const { return effect; }

    intptr_t Dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f);
    // A text the plug-in writes into a buffer we give it: a zeroed buffer far
    // larger than the protocol's limits, since plug-ins often overstep them.
    std::string QueryText(int32_t opcode, int32_t index = 0);
    intptr_t CanDo(const char* feature);

    void Open();
    // Sample rate and block size, then mains on and start of processing.
    void Resume();
    void SendEvents(framework::vst::VstEvents* events);
    // Replaces frames samples of every output with the plug-in's signal, and
    // moves the song position on. Uses processReplacing when the plug-in has
    // it, else the old accumulating call on cleared outputs.
    void Process(float** inputs, float** outputs, int32_t frames);
    bool CanProcess() const;
    bool UsesReplacing() const;
    void Suspend();
    // effClose; the effect record is gone afterwards.
    void Close();

    // Programs and parameters, reached as a host's preset handling does.
    // Counts are 0 for a plug-in that reports a negative number.
    int32_t ProgramCount() const;
    int32_t ParameterCount() const;
    int32_t CurrentProgram();
    std::string ProgramName(int32_t index);  // effGetProgramNameIndexed
    std::string CurrentProgramName();        // effGetProgramName
    // effSetProgram between effBeginSetProgram and effEndSetProgram.
    void SelectProgram(int32_t index);
    void RenameCurrentProgram(const std::string& name);
    float GetParameter(int32_t index);
    void SetParameter(int32_t index, float value);

    // Whether the plug-in keeps its state as an opaque chunk.
    bool HasChunks() const;
    // effGetChunk for the bank (index 0) or the current program (index 1);
    // the plug-in's bytes are copied out at once. False with a message in
    // Error() when it gives none.
    bool GetChunk(bool bank, std::vector<uint8_t>& bytes);
    // effSetChunk; false when the plug-in refuses the bytes.
    bool SetChunk(bool bank, std::vector<uint8_t> bytes);

    // Short MIDI and other events the plug-in sent back to the host.
    int64_t EventsFromPlugin() const { return eventsFromPlugin; }

private:
    static intptr_t Callback(framework::vst::AEffect* caller, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                             float opt);
    intptr_t Answer(framework::vst::AEffect* caller, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                    float opt);

    hostkit::PluginModule module;  // declared first: the library must outlive the effect
    framework::vst::AEffect* effect = nullptr;
    std::string error;
    Transport transport;
    int32_t blockSize = 512;
    int32_t processLevel = kProcessLevelUser;
    bool opened = false;
    bool resumed = false;
    int64_t eventsFromPlugin = 0;
};

}  // namespace orv::host
