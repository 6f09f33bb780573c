// The process-wide cache of skin images, by resource id. Each image is
// decoded once per process and lives until the library is unloaded; the
// cache has its own lock, so any thread may use it.
#pragma once

#include "editor/raster/RasterBitmap.h"

#include <memory>

namespace orv::editor {

// The cached bitmap for a resource id, or null.
RasterBitmap* FindCachedBitmap(int resourceId);

// Stores a bitmap under an id and returns the one now cached: when another
// thread got there first, its bitmap stays and `bitmap` is deleted. A null
// bitmap is not stored (the result is then whatever is cached, maybe null).
RasterBitmap* CacheBitmap(int resourceId, std::unique_ptr<RasterBitmap> bitmap);

// The PNG resource `resourceId` from the cache, decoded and stored on the
// first call; null when the resource is missing or invalid.
RasterBitmap* CachedPngResource(int resourceId);

}  // namespace orv::editor
