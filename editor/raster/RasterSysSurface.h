// The system side of RasterSysBitmap: one implementation per system.
#pragma once

#include <cstdint>

namespace orv::editor {

struct RasterSysSurface;

// A top-down 32-bit surface of span x height pixels (span a multiple of 4)
// and its pixels; null when it cannot be made.
RasterSysSurface* CreateRasterSysSurface(int span, int height, uint32_t*& pixels);
void DestroyRasterSysSurface(RasterSysSurface* surface);
// The device context drawing into the surface, or null.
void* RasterSysSurfaceDC(const RasterSysSurface* surface);

}  // namespace orv::editor
