// Linux: the surface is plain memory; the window shows it with XPutImage.
#include "editor/raster/RasterSysSurface.h"

#include "editor/raster/RasterMemBitmap.h"

namespace orv::editor {

struct RasterSysSurface {
    RasterMemBitmap memory;
};

RasterSysSurface* CreateRasterSysSurface(int span, int height, uint32_t*& pixels)
{
    auto* surface = new RasterSysSurface;
    surface->memory.Resize(span, height);
    pixels = surface->memory.Pixels();
    if (pixels == nullptr) {
        delete surface;
        return nullptr;
    }
    return surface;
}

void DestroyRasterSysSurface(RasterSysSurface* surface)
{
    delete surface;
}

void* RasterSysSurfaceDC(const RasterSysSurface*)
{
    return nullptr;
}

}  // namespace orv::editor
