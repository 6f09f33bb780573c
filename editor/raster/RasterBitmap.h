// A 32-bit bitmap the raster layer draws into and blits from.
//
// Pixels are 0xAARRGGBB words (in memory: blue, green, red, alpha) with
// straight, not premultiplied, alpha. Rows are stored top-down; a row is
// RowSpan() pixels apart from the next, which may exceed Width().
#pragma once

#include <cstdint>

namespace orv::editor {

class RasterBitmap {
public:
    virtual ~RasterBitmap() = default;

    // The first pixel of the top row; null for an empty bitmap.
    virtual uint32_t* Pixels() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Distance between the starts of two rows, in pixels.
    virtual int RowSpan() const = 0;
    // Both kinds here store their rows top-down.
    virtual bool RowsBottomUp() const { return false; }
    // Changes the size; returns whether anything changed. The pixels are
    // undefined afterwards (callers redraw). A size that cannot be allocated
    // leaves the bitmap as it was and returns false.
    virtual bool Resize(int width, int height) = 0;
    // The system device context drawing into these pixels (an HDC on
    // Windows), or null when there is none.
    virtual void* DC() const { return nullptr; }
    // Extension point: answers 0 for every query a bitmap does not know.
    virtual intptr_t Query(int /*what*/) const { return 0; }

    uint32_t* Row(int y) const { return Pixels() + static_cast<intptr_t>(y) * RowSpan(); }
    bool Empty() const { return Pixels() == nullptr || Width() <= 0 || Height() <= 0; }
};

}  // namespace orv::editor
