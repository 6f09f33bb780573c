// The process-wide bitmap cache keeps the first image stored under an id.
#include "editor/raster/BitmapCache.h"
#include "editor/raster/RasterMemBitmap.h"

#include <gtest/gtest.h>

using namespace orv::editor;

TEST(BitmapCache, TheFirstImageStoredUnderAnIdStays)
{
    constexpr int kId = 9001;
    EXPECT_EQ(FindCachedBitmap(kId), nullptr);
    EXPECT_EQ(CacheBitmap(kId, nullptr), nullptr) << "nothing to store";
    RasterBitmap* first = CacheBitmap(kId, std::make_unique<RasterMemBitmap>(2, 2));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(CacheBitmap(kId, std::make_unique<RasterMemBitmap>(3, 3)), first);
    EXPECT_EQ(FindCachedBitmap(kId), first);
    EXPECT_EQ(first->Width(), 2);
}

TEST(BitmapCache, AMissingResourceIsNotCached)
{
    EXPECT_EQ(CachedPngResource(4243), nullptr);
    EXPECT_EQ(FindCachedBitmap(4243), nullptr);
}
