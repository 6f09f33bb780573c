#include "Synth.h"

Synth::Synth(const PluginDescription& description, vst::HostCallback hostCallback)
    : VstPlugin(description, hostCallback)
{
}
