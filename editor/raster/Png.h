// PNG images decoded into memory bitmaps.
#pragma once

#include "editor/raster/RasterMemBitmap.h"

#include <cstddef>
#include <memory>

namespace orv::editor {

// Every PNG colour type and bit depth is turned into 8-bit 0xAARRGGBB pixels:
// palettes expanded, grey turned into RGB, a transparency chunk into alpha,
// 16-bit samples cut to 8, and images without alpha made opaque. Null for
// anything that is not a complete, valid PNG (never partial images), and for
// images wider or taller than kMaxPngDimension.
std::unique_ptr<RasterMemBitmap> LoadPngFromMemory(const void* bytes, size_t length);

// The PNG built into the plug-in library as resource type "PNG" under a
// numeric id (the skin images are 101 to 110); null when missing or invalid.
std::unique_ptr<RasterMemBitmap> LoadPngResource(int id);

// Far above any skin image, low enough that a forged header cannot make us
// allocate gigabytes.
constexpr int kMaxPngDimension = 4096;

}  // namespace orv::editor
