// A bitmap in a heap block of its own.
//
// Rows are padded to a multiple of 4 pixels and the first pixel is aligned
// to 64 bytes (a cache line, and any vector width). Growing reallocates;
// shrinking keeps the block, so a bitmap resized back and forth stops
// allocating.
#pragma once

#include "editor/raster/RasterBitmap.h"

#include <cstddef>

namespace orv::editor {

class RasterMemBitmap : public RasterBitmap {
public:
    RasterMemBitmap() = default;
    // A bitmap of transparent black pixels; empty when the size is not
    // positive or cannot be allocated.
    RasterMemBitmap(int width, int height);
    ~RasterMemBitmap() override;
    RasterMemBitmap(const RasterMemBitmap&) = delete;
    RasterMemBitmap& operator=(const RasterMemBitmap&) = delete;

    uint32_t* Pixels() const override { return pixels; }
    int Width() const override { return width; }
    int Height() const override { return height; }
    int RowSpan() const override { return rowSpan; }
    bool Resize(int width, int height) override;

    static constexpr int kRowAlignmentShift = 2;   // rows padded to 4 pixels
    static constexpr size_t kPixelAlignment = 64;  // bytes

private:
    unsigned char* block = nullptr;
    size_t allocated = 0;  // bytes usable from `pixels` on
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int rowSpan = 0;
};

}  // namespace orv::editor
