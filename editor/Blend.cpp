#include "editor/Blend.h"

#include "editor/raster/Blit.h"

namespace orv::editor {

uint32_t RasterModeFor(BlendMethod method)
{
    switch (method) {
    case kBlendClobber:
        return kRasterCopy;
    case kBlendAdd:
        return kRasterAddAlpha;
    case kBlendColorDodge:
        return kRasterDodgeAlpha;
    case kBlendNone:
    default:
        return kRasterCopyAlpha;
    }
}

}  // namespace orv::editor
