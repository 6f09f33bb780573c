#include "engine/AirChorus.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace orv::engine {

namespace {

// +0 exactly: not -0, not a denormal, not NaN.
bool IsPositiveZero(double x)
{
    return std::bit_cast<uint64_t>(x) == 0;
}

}  // namespace

void AirChorus::PrepareDelayLines(double rate)
{
    if (rate != sampleRate) {
        sampleRate = rate;
        inverseSampleRate = 1.0 / rate;
        glidePerSample = 999.0 / rate;
        lineLength = static_cast<int32_t>(rate * 0.016 + 1.0);
        for (std::vector<double>& line : lines)
            line.assign(static_cast<size_t>(std::max(lineLength, 0)), 0.0);
    }
    for (std::vector<double>& line : lines)
        std::fill(line.begin(), line.end(), 0.0);
    writePosition = 0;
    silentRun = lineLength;
    for (int k = 0; k < 3; ++k) {
        delay[k] = 0.0;
        delayStep[k] = 0.0;
    }
}

void AirChorus::SetModulation(double slowRate, double fastRate, double depthSetting)
{
    slow.increment = slowRate * 2.0 * 100.0 / 1000.0;
    fast.increment = fastRate * 2.0 * 100.0 / 1000.0;
    depth = depthSetting * 0.5;
}

void AirChorus::ControlStep()
{
    slow.Step();
    fast.Step();
    for (int k = 0; k < 3; ++k) {
        const double modulation = std::clamp((slow.output[k] + fast.output[k]) * depth, 0.0, 1.0);
        const double target = (modulation * 0.016 + 0.001) * sampleRate;
        delayStep[k] = (target - delay[k]) * glidePerSample;
    }
}

void AirChorus::Process(const double* mixLeft, const double* mixRight, double* outLeft, double* outRight, int frames)
{
    if (lines[0].empty())
        return;  // no sample rate yet: the outputs stay silent
    double* line0 = lines[0].data();
    double* line1 = lines[1].data();
    double* line2 = lines[2].data();
    double* const line[3] = {line0, line1, line2};
    for (int i = 0; i < frames; ++i) {
        const double a = mixLeft[i];
        const double b = mixRight[i];
        const double x = (a + b) * 0.33;
        line0[writePosition] = x;
        line1[writePosition] = x;
        line2[writePosition] = x;

        double tap[3];
        for (int k = 0; k < 3; ++k) {
            const double d = delay[k];
            int32_t j = writePosition - static_cast<int32_t>(d);
            int32_t j1 = j + 1;
            if (j < 0)
                j += lineLength;
            if (j1 < 0)
                j1 += lineLength;
            if (j1 >= lineLength)  // only when the delay is below one sample at the line's end
                j1 -= lineLength;
            tap[k] = line[k][j1] + (d - std::floor(d)) * (line[k][j] - line[k][j1]);
        }
        const double wetLeft = (2.0 * tap[0] + tap[2]) * 0.5;
        const double wetRight = (2.0 * tap[1] + tap[2]) * 0.5;
        outLeft[i] = a + (wetLeft - a) * mix;
        outRight[i] = b + (wetRight - b) * mix;

        if (++writePosition >= lineLength)
            writePosition = 0;
        for (int k = 0; k < 3; ++k)
            delay[k] += delayStep[k];
    }

    // The +0 samples just written, newest first; sound stops the count at once.
    int32_t run = 0;
    const int32_t written = std::min(frames, lineLength);
    for (int32_t p = writePosition; run < written; ++run) {
        p = (p == 0 ? lineLength : p) - 1;
        if (!IsPositiveZero(line0[p]))
            break;
    }
    silentRun = run < frames ? run : std::min(silentRun + run, lineLength);
}

bool AirChorus::Settled() const
{
    if (lineLength <= 0 || silentRun < lineLength || !std::isfinite(mix))
        return false;
    for (int k = 0; k < 3; ++k)
        if (!std::isfinite(delay[k]) || !std::isfinite(delayStep[k]))
            return false;
    return true;
}

void AirChorus::PassSilence(int frames)
{
    // The lines already hold +0 where Process would write it.
    writePosition = static_cast<int32_t>((static_cast<int64_t>(writePosition) + frames) % lineLength);
    // One addition per sample, as Process does: a product would round differently.
    for (int k = 0; k < 3; ++k) {
        double d = delay[k];
        for (int i = 0; i < frames; ++i)
            d += delayStep[k];
        delay[k] = d;
    }
}

}  // namespace orv::engine
