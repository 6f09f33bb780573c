#include "editor/raster/RasterSysBitmap.h"

#include "editor/raster/RasterSize.h"
#include "editor/raster/RasterSysSurface.h"

namespace orv::editor {

RasterSysBitmap::RasterSysBitmap(int w, int h)
{
    Resize(w, h);
}

RasterSysBitmap::~RasterSysBitmap()
{
    DestroyRasterSysSurface(surface);
}

void* RasterSysBitmap::DC() const
{
    return surface != nullptr ? RasterSysSurfaceDC(surface) : nullptr;
}

bool RasterSysBitmap::Resize(int w, int h)
{
    if (w <= 0 || h <= 0) {
        w = 0;
        h = 0;
    }
    if (w == width && h == height)
        return false;
    const int64_t span = PaddedRowSpan(w);
    if (w != 0 && (span > allocatedWidth || h > allocatedHeight)) {
        if (PixelBytes(span, h, 0) == 0)
            return false;
        uint32_t* grownPixels = nullptr;
        RasterSysSurface* grown = CreateRasterSysSurface(static_cast<int>(span), h, grownPixels);
        if (grown == nullptr)
            return false;
        DestroyRasterSysSurface(surface);
        surface = grown;
        pixels = grownPixels;
        allocatedWidth = static_cast<int>(span);
        allocatedHeight = h;
    }
    width = w;
    height = h;
    return true;
}

}  // namespace orv::editor
