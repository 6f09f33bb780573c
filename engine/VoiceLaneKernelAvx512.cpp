// The lane kernel for one instruction set (flags in CMakeLists.txt).
#include "VoiceLaneKernel.h"

void RenderVoiceLanesAvx512(VoiceLanes& lanes, int count, int frames)
{
    RenderVoiceLanes(lanes, count, frames);
}
