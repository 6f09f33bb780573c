// The instrument's shell between the VST binding and ORV itself: tuning,
// MIDI settings and learned controllers, the program clipboard.
#pragma once

#include "MtsClient.h"
#include "VstPlugin.h"

#include <cstdint>
#include <memory>

class Synth : public VstPlugin {
public:
    static constexpr int kControllerCount = 120;

    Synth(const PluginDescription& description, vst::HostCallback hostCallback);
    ~Synth() override;

    // Stops every sounding note (with its release).
    virtual void ReleaseAllNotes() {}
    // Fills the parameter records; called once while the instrument is built.
    virtual void DefineParameters() {}

    void ResetProcessing() override;
    void ActivationChanged(bool active) override;

    const MtsClient* Tuning() const { return tuning.get(); }
    // Controller number (0..119) -> parameter index, or -1 when not learned.
    const int32_t* ControlMap() const { return controlMap; }

protected:
    std::unique_ptr<MtsClient> tuning;
    int32_t controlMap[kControllerCount];
    bool learnArmed = false;
    int32_t learnController = -1;
    int32_t learnTarget = -1;
    bool midiThru = false;
    bool ignoreProgramChange = false;
};
