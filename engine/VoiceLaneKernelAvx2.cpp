// The lane kernel for one instruction set (flags in CMakeLists.txt).
#include "engine/simd/LaneVector.h"

#include "engine/VoiceLaneKernel.h"

namespace orv::engine {

void RenderVoiceLanesAvx2(VoiceLanes& lanes, int count, int frames)
{
    RenderVoiceLanes<NativeLanes>(lanes, count, frames);
}

}  // namespace orv::engine
