// Windows: a top-down 32-bit DIB section selected into a memory DC of its own.
#include "editor/raster/RasterSysSurface.h"

#include <windows.h>

namespace orv::editor {

struct RasterSysSurface {
    HDC dc = nullptr;
    HBITMAP dib = nullptr;
    HGDIOBJ previous = nullptr;  // selected out of `dc` by `dib`
};

RasterSysSurface* CreateRasterSysSurface(int span, int height, uint32_t*& pixels)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = span;
    info.bmiHeader.biHeight = -height;  // negative: rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr)
        return nullptr;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib == nullptr || bits == nullptr) {
        if (dib != nullptr)
            DeleteObject(dib);
        DeleteDC(dc);
        return nullptr;
    }
    auto* surface = new RasterSysSurface;
    surface->dc = dc;
    surface->dib = dib;
    surface->previous = SelectObject(dc, dib);
    pixels = static_cast<uint32_t*>(bits);
    return surface;
}

void DestroyRasterSysSurface(RasterSysSurface* surface)
{
    if (surface == nullptr)
        return;
    SelectObject(surface->dc, surface->previous);
    DeleteObject(surface->dib);
    DeleteDC(surface->dc);
    delete surface;
}

void* RasterSysSurfaceDC(const RasterSysSurface* surface)
{
    return surface->dc;
}

}  // namespace orv::editor
