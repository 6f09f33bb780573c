// The instrument's shared shell between the VST binding and ORV itself.
#pragma once

#include "VstPlugin.h"

class Synth : public VstPlugin {
public:
    Synth(const PluginDescription& description, vst::HostCallback hostCallback);

    // Stops every sounding note (with its release).
    virtual void ReleaseAllNotes() {}
    // Fills the parameter records; called once while the instrument is built.
    virtual void DefineParameters() {}
};
