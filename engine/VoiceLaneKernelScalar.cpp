// The lane kernel one lane at a time, on plain doubles: the reference the
// vector kernels must match bit for bit, and the fallback where none is built.
#include "engine/VoiceLaneKernel.h"

namespace orv::engine {

void RenderVoiceLanesScalar(VoiceLanes& lanes, int count, int frames)
{
    RenderVoiceLanes<ScalarLanes>(lanes, count, frames);
}

}  // namespace orv::engine
