// A rectangle of the panel in pixels: left and top inclusive, right and
// bottom exclusive. The all-zero rectangle stands for "no area".
#pragma once

#include "editor/raster/RasterRect.h"

#include <algorithm>

namespace orv::editor {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool Intersects(const Rect& other) const
    {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    Rect Intersection(const Rect& other) const
    {
        if (!Intersects(other))
            return {};
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }
    // The smallest rectangle holding both; "no area" adds nothing.
    Rect Union(const Rect& other) const
    {
        if (other.IsEmpty())
            return *this;
        if (IsEmpty())
            return other;
        return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom)};
    }
    RasterRect ToRaster() const { return {left, top, right, bottom}; }
    bool operator==(const Rect&) const = default;
};

}  // namespace orv::editor
