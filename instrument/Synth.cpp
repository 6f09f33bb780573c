#include "Synth.h"

#include "TuningLibrary.h"

#include <algorithm>

Synth::Synth(const PluginDescription& description, vst::HostCallback hostCallback)
    : VstPlugin(description, hostCallback)
{
    std::fill(std::begin(controlMap), std::end(controlMap), -1);
    BindTuningLibrary();
    tuning = std::make_unique<MtsClient>(ProcessMtsBinding());
}

Synth::~Synth() = default;

void Synth::ResetProcessing()
{
    LockGuard guard(GetLock());
    learnArmed = false;
}

void Synth::ActivationChanged(bool active)
{
    if (!active)
        return;
    LockGuard guard(GetLock());
    for (int i = 0; i < ParameterCount(); ++i)
        ParameterChanged(i);
}
