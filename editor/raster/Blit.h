// Rectangular blits and fills with blend modes and a constant weight.
//
// A mode word holds the operation in its low byte and kRasterUseAlpha: with
// that bit the source pixel's alpha (or the fill colour's) says how much of
// it covers the destination; without it the source is taken as opaque.
// The weight (0..1) scales the whole operation; it is quantised to 1/256,
// and a weight of 0 or an empty clipped area draws nothing.
//
// Per pixel, with channels 0..255, s the source, d the destination, a the
// source alpha (or 255 without kRasterUseAlpha) times the weight factor
// f = trunc(weight * 256), i.e. a := a * f >> 8:
//
//   copy (0)              f = 256: d := s (all four bytes);
//                         f = 64, 128, 192: quarter, half and three-quarter
//                         averages per byte by shift and mask;
//                         otherwise per byte d := (s * f + d * (256 - f)) >> 8.
//   copy with alpha       a = 0: d unchanged. Otherwise per colour channel
//     (0x10000)           d := s + trunc((d - s) * (255 - a) / 256), and
//                         alpha := min(255, alpha + a). (a = 255 replaces.)
//   add (1)               per colour channel d := min(255, d + trunc(s * a / 255)),
//                         alpha := min(255, alpha + a).
//   dodge (2)             colour dodge r := s = 255 ? 255 : min(255, d * 255 / (255 - s)),
//                         then d := d + trunc((r - d) * a / 255),
//                         alpha := min(255, alpha + a).
//
// Multiply, overlay and hue/saturation/value (3, 4, 5) draw nothing: nothing
// in this editor uses them.
#pragma once

#include "editor/raster/RasterBitmap.h"
#include "editor/raster/RasterRect.h"

#include <cstdint>

namespace orv::editor {

constexpr uint32_t kRasterOperationMask = 0xff;
constexpr uint32_t kRasterOpCopy = 0;
constexpr uint32_t kRasterOpAdd = 1;
constexpr uint32_t kRasterOpDodge = 2;
constexpr uint32_t kRasterOpMultiply = 3;
constexpr uint32_t kRasterOpOverlay = 4;
constexpr uint32_t kRasterOpHueSaturationValue = 5;
constexpr uint32_t kRasterUseAlpha = 0x10000;

// The four modes the editor uses.
constexpr uint32_t kRasterCopy = kRasterOpCopy;
constexpr uint32_t kRasterCopyAlpha = kRasterUseAlpha | kRasterOpCopy;
constexpr uint32_t kRasterAddAlpha = kRasterUseAlpha | kRasterOpAdd;
constexpr uint32_t kRasterDodgeAlpha = kRasterUseAlpha | kRasterOpDodge;

// Draws the part `sourceRect` of `src` (all of it when null) with its top
// left corner at (x, y) of `dest`. Both rectangles are clipped against both
// bitmaps; whatever is cut off at the left or top of either moves the other
// along with it. `src` and `dest` must not be the same bitmap.
void Blit(RasterBitmap& dest, const RasterBitmap& src, int x, int y, const RasterRect* sourceRect, float weight,
          uint32_t mode);

// Fills w x h pixels at (x, y) with `colour` (0xAARRGGBB), clipped to the
// bitmap. Blends exactly like a blit of a bitmap of that colour; in particular
// with kRasterUseAlpha the colour's alpha scales the weight, so a colour of
// alpha 0 draws nothing.
void FillRectangle(RasterBitmap& dest, int x, int y, int w, int h, uint32_t colour, float weight, uint32_t mode);

// Fills the disc inscribed in the square of `diameter` pixels at (x, y) with
// `colour`, clipped to the bitmap, as copy with alpha at full weight: the
// colour's alpha times each pixel's share of the disc (its edge smooth).
void FillDisc(RasterBitmap& dest, int x, int y, int diameter, uint32_t colour);

}  // namespace orv::editor
