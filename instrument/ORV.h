// ORV: a 64-voice instrument of five wavetable tone models on a variation pad.
#pragma once

#include "Synth.h"

class ORV : public Synth {
public:
    static constexpr int kParameterCount = 12;
    static constexpr int kProgramCount = 64;
    static constexpr int32_t kVersion = 0x00020000;  // 2.0.0

    explicit ORV(vst::HostCallback hostCallback);

    void RenderBlock(double** inputs, double** outputs, int32_t frames) override;
    void DefineParameters() override;

private:
    static PluginDescription Describe();
};
