// Renders the active voices of one sub-block kLaneWidth at a time: each
// voice puts its audio-rate state (oscillators, filters, envelopes) into a
// lane, the lane kernel of the chosen instruction set runs the per-sample
// signal flow of all lanes together, the state goes back into the voices,
// and the outputs are added to the mix voice by voice in voice order (the
// order of additions decides the bits of the sum).
#pragma once

#include "engine/SimdLevel.h"
#include "engine/Voice.h"
#include "engine/VoiceLanes.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace orv::engine {

class VoiceBatch {
public:
    VoiceBatch();

    // Sizes the buffers for sub-blocks of up to maxFrames samples.
    void Reset(int32_t maxFrames);
    void SetSimdLevel(SimdLevel level);
    SimdLevel GetSimdLevel() const { return level; }

    // Adds frames samples of every active voice to mix.
    void Render(std::vector<Voice>& voices, double* mix, int frames);

private:
    void RenderLanes(Voice* const* voices, int count, double* mix, int frames);

    std::unique_ptr<VoiceLanes> lanes;
    std::vector<double> out;  // [sample][lane]
    int32_t maxFrames = 0;
    SimdLevel level = SimdLevel::kBaseline;
    VoiceLaneKernel kernel = RenderVoiceLanesBaseline;
};

}  // namespace orv::engine
