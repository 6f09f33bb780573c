#include "editor/raster/BitmapCache.h"

#include "editor/raster/Png.h"

#include <map>
#include <mutex>

namespace orv::editor {

namespace {

// Lives until the library is unloaded; its destructor deletes the images.
struct BitmapCacheTable {
    std::mutex lock;
    std::map<int, std::unique_ptr<RasterBitmap>> bitmaps;
};

BitmapCacheTable& Table()
{
    static BitmapCacheTable table;
    return table;
}

RasterBitmap* FindLocked(BitmapCacheTable& table, int resourceId)
{
    const auto found = table.bitmaps.find(resourceId);
    return found != table.bitmaps.end() ? found->second.get() : nullptr;
}

}  // namespace

RasterBitmap* FindCachedBitmap(int resourceId)
{
    BitmapCacheTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    return FindLocked(table, resourceId);
}

RasterBitmap* CacheBitmap(int resourceId, std::unique_ptr<RasterBitmap> bitmap)
{
    BitmapCacheTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    if (RasterBitmap* cached = FindLocked(table, resourceId))
        return cached;
    if (bitmap == nullptr)
        return nullptr;
    return table.bitmaps.emplace(resourceId, std::move(bitmap)).first->second.get();
}

RasterBitmap* CachedPngResource(int resourceId)
{
    if (RasterBitmap* cached = FindCachedBitmap(resourceId))
        return cached;
    // Decoded outside the lock; a thread that loses the race drops its copy.
    return CacheBitmap(resourceId, LoadPngResource(resourceId));
}

}  // namespace orv::editor
