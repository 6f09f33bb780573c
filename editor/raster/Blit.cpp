#include "editor/raster/Blit.h"

#include "editor/raster/PixelBlend.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace orv::editor {

void Blit(RasterBitmap& dest, const RasterBitmap& src, int x, int y, const RasterRect* sourceRect, float weight,
          uint32_t mode)
{
    const int factor = WeightFactor(weight);
    if (factor == 0 || dest.Empty() || src.Empty())
        return;
    // 64-bit: rectangles near the ends of the int range must not overflow.
    int64_t left = 0, top = 0, right = src.Width(), bottom = src.Height();
    if (sourceRect != nullptr) {
        left = sourceRect->left;
        top = sourceRect->top;
        right = sourceRect->right;
        bottom = sourceRect->bottom;
    }
    int64_t destX = x, destY = y;
    // What lies left of or above the source moves the destination along...
    if (left < 0) {
        destX -= left;
        left = 0;
    }
    if (top < 0) {
        destY -= top;
        top = 0;
    }
    right = std::min<int64_t>(right, src.Width());
    bottom = std::min<int64_t>(bottom, src.Height());
    // ...and what lies left of or above the destination moves the source.
    if (destX < 0) {
        left -= destX;
        destX = 0;
    }
    if (destY < 0) {
        top -= destY;
        destY = 0;
    }
    const int64_t width = std::min<int64_t>(right - left, dest.Width() - destX);
    const int64_t height = std::min<int64_t>(bottom - top, dest.Height() - destY);
    if (width <= 0 || height <= 0)
        return;
    const RasterArea area{static_cast<int>(destX), static_cast<int>(destY), static_cast<int>(width),
                          static_cast<int>(height)};
    const uint32_t* origin = src.Row(static_cast<int>(top)) + left;
    const int64_t span = src.RowSpan();
    BlendArea(
        dest, area, [origin, span](int row, int column) { return origin[row * span + column]; }, mode, factor);
}

namespace {

// The part of w x h pixels at (x, y) inside the bitmap; false when none.
bool ClipToBitmap(const RasterBitmap& dest, int x, int y, int w, int h, RasterArea& area)
{
    int64_t left = x, top = y, width = w, height = h;
    if (left < 0) {
        width += left;
        left = 0;
    }
    if (top < 0) {
        height += top;
        top = 0;
    }
    width = std::min<int64_t>(width, dest.Width() - left);
    height = std::min<int64_t>(height, dest.Height() - top);
    if (width <= 0 || height <= 0)
        return false;
    area = RasterArea{static_cast<int>(left), static_cast<int>(top), static_cast<int>(width), static_cast<int>(height)};
    return true;
}

}  // namespace

void FillRectangle(RasterBitmap& dest, int x, int y, int w, int h, uint32_t colour, float weight, uint32_t mode)
{
    const int factor = WeightFactor(weight);
    RasterArea area{};
    if (factor == 0 || dest.Empty() || !ClipToBitmap(dest, x, y, w, h, area))
        return;
    BlendArea(
        dest, area, [colour](int, int) { return colour; }, mode, factor);
}

void FillDisc(RasterBitmap& dest, int x, int y, int diameter, uint32_t colour)
{
    RasterArea area{};
    if (dest.Empty() || diameter <= 0 || !ClipToBitmap(dest, x, y, diameter, diameter, area))
        return;
    // Coverage falls from 1 to 0 across the half pixel either side of the
    // circle, measured from each pixel's centre.
    const double radius = diameter / 2.0;
    const double centreX = x + radius - area.x;
    const double centreY = y + radius - area.y;
    const uint32_t rgb = colour & 0x00ffffff;
    const double alpha = static_cast<double>(colour >> 24);
    BlendArea(
        dest, area,
        [=](int row, int column) {
            const double distance = std::hypot(column + 0.5 - centreX, row + 0.5 - centreY);
            const double coverage = std::clamp(radius + 0.5 - distance, 0.0, 1.0);
            return rgb | static_cast<uint32_t>(std::lround(coverage * alpha)) << 24;
        },
        kRasterCopyAlpha, WeightFactor(1.0f));
}

}  // namespace orv::editor
