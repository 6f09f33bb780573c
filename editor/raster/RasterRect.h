// An area of a bitmap in pixels: left and top inclusive, right and bottom
// exclusive.
#pragma once

namespace orv::editor {

struct RasterRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

}  // namespace orv::editor
