// An engine at a given rate with the instrument's default parameter values,
// and helpers to play it and measure what comes out.
#pragma once

#include "engine/Engine.h"
#include "engine/EngineParameters.h"
#include "engine/SynthGlobals.h"

#include <cmath>
#include <vector>

struct StereoBuffer {
    std::vector<double> left;
    std::vector<double> right;
};

class EngineFixture {
public:
    explicit EngineFixture(double rate = 44100.0, int32_t block = 512) : engine(settings), sampleRate(rate)
    {
        engine.Reset(rate, block);
        const double defaults[orv::engine::kOrvParameterCount] = {0.5, 0, 0, 0, 0, 0.2, 0.3, 0, 0, 0, 0, 0.3};
        for (int i = 0; i < orv::engine::kOrvParameterCount; ++i)
            engine.SetParameter(i, defaults[i]);
    }

    void Send(int status, int data1, int data2, int offset = 0)
    {
        engine.Queue(orv::engine::QueuedMidi{offset, static_cast<uint8_t>(status), static_cast<uint8_t>(data1),
                                             static_cast<uint8_t>(data2)});
    }

    // Renders frames samples in blocks of at most block samples.
    StereoBuffer Render(int frames, int block = 512)
    {
        StereoBuffer out;
        out.left.resize(static_cast<size_t>(frames));
        out.right.resize(static_cast<size_t>(frames));
        for (int done = 0; done < frames; done += block) {
            const int n = std::min(block, frames - done);
            engine.Render(out.left.data() + done, out.right.data() + done, n);
        }
        return out;
    }

    orv::engine::SynthGlobals settings;
    orv::engine::Engine engine;
    double sampleRate;
};

// Frequency from the mean distance between upward zero crossings.
inline double MeasureFrequency(const std::vector<double>& signal, double sampleRate, size_t skip)
{
    double first = -1.0;
    double last = -1.0;
    int crossings = 0;
    for (size_t i = skip + 1; i < signal.size(); ++i) {
        if (signal[i - 1] < 0.0 && signal[i] >= 0.0) {
            const double at = static_cast<double>(i - 1) + signal[i - 1] / (signal[i - 1] - signal[i]);
            if (first < 0.0)
                first = at;
            else
                ++crossings;
            last = at;
        }
    }
    return crossings > 0 ? crossings * sampleRate / (last - first) : 0.0;
}

inline double Peak(const std::vector<double>& signal, size_t from = 0, size_t to = SIZE_MAX)
{
    double peak = 0.0;
    for (size_t i = from; i < std::min(to, signal.size()); ++i)
        peak = std::max(peak, std::fabs(signal[i]));
    return peak;
}
