// Memory and system bitmaps: row layout, alignment and resizing.
#include "editor/raster/RasterMemBitmap.h"
#include "editor/raster/RasterSysBitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

using namespace orv::editor;

namespace {

bool Aligned(const void* pointer, uintptr_t bytes)
{
    return reinterpret_cast<uintptr_t>(pointer) % bytes == 0;
}

}  // namespace

TEST(Bitmap, MemoryBitmapRowsArePaddedAndAligned)
{
    for (int width : {1, 3, 4, 5, 608}) {
        RasterMemBitmap bitmap(width, 3);
        ASSERT_NE(bitmap.Pixels(), nullptr);
        EXPECT_EQ(bitmap.Width(), width);
        EXPECT_EQ(bitmap.RowSpan() % 4, 0);
        EXPECT_GE(bitmap.RowSpan(), width);
        EXPECT_LT(bitmap.RowSpan(), width + 4);
        EXPECT_TRUE(Aligned(bitmap.Pixels(), 64));
        EXPECT_FALSE(bitmap.RowsBottomUp());
        EXPECT_EQ(bitmap.DC(), nullptr);
        EXPECT_EQ(bitmap.Query(12345), 0);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < bitmap.RowSpan(); ++x)
                ASSERT_EQ(bitmap.Row(y)[x], 0u) << "a new bitmap is transparent black";
    }
}

TEST(Bitmap, MemoryBitmapGrowsButKeepsItsBlockWhenShrinking)
{
    RasterMemBitmap bitmap(8, 8);
    EXPECT_FALSE(bitmap.Resize(8, 8)) << "same size changes nothing";
    uint32_t* const block = bitmap.Pixels();
    EXPECT_TRUE(bitmap.Resize(4, 2));
    EXPECT_EQ(bitmap.Pixels(), block);
    EXPECT_EQ(bitmap.Width(), 4);
    EXPECT_EQ(bitmap.RowSpan(), 4);
    EXPECT_TRUE(bitmap.Resize(100, 100));
    EXPECT_EQ(bitmap.Width(), 100);
    EXPECT_TRUE(Aligned(bitmap.Pixels(), 64));
    bitmap.Row(99)[99] = 1;  // the whole new size is writable (checked under ASan)
}

TEST(Bitmap, ImpossibleSizesLeaveTheBitmapAsItWas)
{
    RasterMemBitmap bitmap(5, 5);
    EXPECT_FALSE(bitmap.Resize(INT_MAX, INT_MAX));
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_NE(bitmap.Pixels(), nullptr);
    EXPECT_TRUE(bitmap.Resize(-3, 7));
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_TRUE(RasterMemBitmap(INT_MAX, 2).Empty());
    EXPECT_TRUE(RasterSysBitmap(INT_MAX, INT_MAX).Empty());
}

TEST(Bitmap, SystemBitmapWidensRowsAndReusesItsSurface)
{
    RasterSysBitmap bitmap(30, 20);
    ASSERT_NE(bitmap.Pixels(), nullptr);
    EXPECT_EQ(bitmap.RowSpan(), 32);
    EXPECT_FALSE(bitmap.RowsBottomUp());
    // On Windows GDI draws into it; elsewhere there is no device context.
    EXPECT_EQ(bitmap.DC() != nullptr, ORV_SYSTEM_BITMAP_HAS_DC);
    uint32_t* const surface = bitmap.Pixels();
    EXPECT_TRUE(bitmap.Resize(17, 10));
    EXPECT_EQ(bitmap.Pixels(), surface);
    EXPECT_EQ(bitmap.Width(), 17);
    EXPECT_EQ(bitmap.RowSpan(), 32) << "the row span stays that of the surface";
    EXPECT_TRUE(bitmap.Resize(64, 20));
    EXPECT_EQ(bitmap.RowSpan(), 64);
    bitmap.Row(19)[63] = 1;
}
