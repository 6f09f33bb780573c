// How a control's images are combined with what lies below them.
#pragma once

#include <cstdint>

namespace orv::editor {

enum BlendMethod : int32_t {
    kBlendNone = 0,     // copy with alpha
    kBlendClobber = 1,  // plain copy, alpha included (the background)
    kBlendAdd = 2,      // add with alpha
    kBlendColorDodge = 3,
};

struct Blend {
    BlendMethod method = kBlendNone;
    float weight = 1.0f;
};

// The raster layer's mode word for a blend method.
uint32_t RasterModeFor(BlendMethod method);

}  // namespace orv::editor
