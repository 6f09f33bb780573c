#include "editor/raster/RasterMemBitmap.h"

#include "editor/raster/RasterSize.h"

#include <cstdlib>
#include <cstring>

namespace orv::editor {

RasterMemBitmap::RasterMemBitmap(int w, int h)
{
    Resize(w, h);
}

RasterMemBitmap::~RasterMemBitmap()
{
    std::free(block);
}

bool RasterMemBitmap::Resize(int w, int h)
{
    if (w <= 0 || h <= 0) {
        w = 0;
        h = 0;
    }
    if (w == width && h == height)
        return false;
    const int64_t span = PaddedRowSpan(w);
    const size_t needed = PixelBytes(span, h, 0);
    if (needed == 0 && w != 0)
        return false;
    if (needed > allocated) {
        // calloc: large images are mapped lazily, and pixels start transparent.
        unsigned char* grown = static_cast<unsigned char*>(std::calloc(needed + kPixelAlignment - 1, 1));
        if (grown == nullptr)
            return false;
        std::free(block);
        block = grown;
        allocated = needed;
        const uintptr_t address = reinterpret_cast<uintptr_t>(block);
        const uintptr_t aligned = (address + kPixelAlignment - 1) & ~uintptr_t{kPixelAlignment - 1};
        pixels = reinterpret_cast<uint32_t*>(aligned);
    }
    width = w;
    height = h;
    rowSpan = static_cast<int>(span);
    return true;
}

}  // namespace orv::editor
