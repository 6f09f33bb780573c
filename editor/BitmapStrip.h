// An image holding one or more equal frames, stacked vertically or
// horizontally. The image belongs to the bitmap cache, not to the strip.
#pragma once

#include "editor/raster/RasterBitmap.h"

namespace orv::editor {

struct BitmapStrip {
    RasterBitmap* image = nullptr;  // null when the image could not be loaded
    int width = 0;                  // of the whole image
    int height = 0;
    int frames = 1;
    bool horizontal = false;  // frames side by side instead of stacked

    int FrameWidth() const { return horizontal && frames > 0 ? width / frames : width; }
    int FrameHeight() const { return !horizontal && frames > 0 ? height / frames : height; }
};

}  // namespace orv::editor
