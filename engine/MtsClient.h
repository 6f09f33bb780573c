// Client side of MTS-ESP microtuning. The tuning library is an outside
// component, loaded by whoever owns the process's binding (the engine only
// calls through it): when a tuning master is connected, notes take the
// master's frequencies and notes it filters are not played. Without the
// library or a master, 12-tone equal temperament at A = 440 Hz.
#pragma once

#include <cstdint>

namespace orv::engine {

// The library's functions, each null when missing, and the tables it handed
// out at load. One per process.
struct MtsBinding {
    void (*registerClient)() = nullptr;
    void (*deregisterClient)() = nullptr;
    bool (*hasMaster)() = nullptr;
    bool (*shouldFilterNote)(char note, char channel) = nullptr;
    bool (*shouldFilterNoteMultiChannel)(char note, char channel) = nullptr;
    const double* (*getTuningTable)() = nullptr;
    const double* (*getMultiChannelTuningTable)(char channel) = nullptr;
    bool (*useMultiChannelTuning)(char channel) = nullptr;
    const char* (*getScaleName)() = nullptr;
    const double* masterTable = nullptr;  // 128 frequencies in Hz, kept current by the library
    const double* channelTables[16] = {};
};

// The process's binding; empty until the library is bound.
MtsBinding& ProcessMtsBinding();

class MtsClient {
public:
    explicit MtsClient(const MtsBinding& binding);
    ~MtsClient();
    MtsClient(const MtsClient&) = delete;
    MtsClient& operator=(const MtsClient&) = delete;

    // A master is connected and its table can be read.
    bool MasterPresent() const;
    double NoteToFrequency(int note) const;
    bool ShouldFilterNote(int note) const;

    double frequencies[128];  // 12-TET, A = 440 Hz

private:
    const MtsBinding& binding;
};

// The engine's pitch for a note: note * 128, or the master's frequency found
// back as a pitch index by bisection when a master is present.
int32_t NoteToPitch(const MtsClient* client, int note);

}  // namespace orv::engine
