// A bitmap that the system can draw into and show.
//
// On Windows the pixels are a top-down 32-bit DIB section selected into a
// memory device context of its own, so GDI text and BitBlt work on it. On
// Linux it is plain memory (DC() is null) that the window shows with
// XPutImage. The row span is the width raised to a multiple of 4; a resize
// that fits in the surface already allocated keeps it.
#pragma once

#include "editor/raster/RasterBitmap.h"

namespace orv::editor {

// The system side of a RasterSysBitmap, one implementation per system.
struct RasterSysSurface;

class RasterSysBitmap : public RasterBitmap {
public:
    RasterSysBitmap() = default;
    // Empty when the size is not positive or the surface cannot be made.
    RasterSysBitmap(int width, int height);
    ~RasterSysBitmap() override;
    RasterSysBitmap(const RasterSysBitmap&) = delete;
    RasterSysBitmap& operator=(const RasterSysBitmap&) = delete;

    uint32_t* Pixels() const override { return pixels; }
    int Width() const override { return width; }
    int Height() const override { return height; }
    int RowSpan() const override { return allocatedWidth; }
    bool Resize(int width, int height) override;
    void* DC() const override;

private:
    RasterSysSurface* surface = nullptr;  // owned
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int allocatedWidth = 0;  // the row span
    int allocatedHeight = 0;
};

}  // namespace orv::editor
