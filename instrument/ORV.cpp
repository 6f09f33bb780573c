#include "ORV.h"

#include <algorithm>

PluginDescription ORV::Describe()
{
    PluginDescription description;
    description.effectName = "ORV";
    description.productName = "";
    description.vendorName = "Tarnwick";
    description.uniqueId = vst::FourCC('O', 'R', 'V', '1');
    description.version = kVersion;
    description.channelIo = "0-2";
    description.parameterCount = kParameterCount;
    description.programCount = kProgramCount;
    description.isInstrument = true;
    description.takesMidi = true;
    description.doesChunks = true;
    return description;
}

ORV::ORV(vst::HostCallback hostCallback) : Synth(Describe(), hostCallback)
{
    DefineParameters();
}

void ORV::RenderBlock(double** /*inputs*/, double** outputs, int32_t frames)
{
    if (frames <= 0)
        return;
    for (int i = 0; i < OutputChannelCount(); ++i)
        if (outputs[i] != nullptr)
            std::fill(outputs[i], outputs[i] + frames, 0.0);
}
