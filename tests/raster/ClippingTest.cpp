// Blits and fills touch exactly the pixels where source, rectangle and
// destination overlap, wherever the rectangles lie.
#include "editor/raster/Blit.h"
#include "editor/raster/RasterMemBitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

using namespace orv::editor;

namespace {

constexpr int kSize = 6;
constexpr uint32_t kUntouched = 0x5a5a5a5a;

// Every source pixel is different: opaque, x + 1 in blue, y + 1 in green.
void PaintSource(RasterMemBitmap& source)
{
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < source.Width(); ++x)
            source.Row(y)[x] = 0xff000000u | uint32_t(y + 1) << 8 | uint32_t(x + 1);
}

void Clear(RasterMemBitmap& bitmap)
{
    for (int y = 0; y < bitmap.Height(); ++y)
        std::fill(bitmap.Row(y), bitmap.Row(y) + bitmap.RowSpan(), kUntouched);
}

struct BlitCase {
    int x, y;
    bool wholeSource;
    RasterRect rect;
};

}  // namespace

TEST(Clipping, BlitDrawsExactlyTheOverlap)
{
    RasterMemBitmap source(4, 3), dest(kSize, kSize);
    PaintSource(source);
    const BlitCase cases[] = {
        {0, 0, true, {}},
        {-2, -1, true, {}},              // off the top left: the source origin moves
        {4, 5, true, {}},                // off the bottom right
        {1, 1, false, {1, 1, 3, 3}},     // a part of the source
        {0, 0, false, {-1, -2, 2, 2}},   // rectangle starts left of and above the source
        {2, 2, false, {2, 1, 9, 9}},     // rectangle runs past the source
        {-3, 0, false, {-1, -1, 4, 3}},  // both at once
        {0, 0, false, {2, 2, 2, 3}},     // zero width
        {0, 0, false, {3, 3, 1, 1}},     // negative size
        {kSize, 0, true, {}},            // just right of the destination
        {0, -3, true, {}},               // just above it
        {INT_MAX, INT_MAX, true, {}},
        {INT_MIN, INT_MIN, true, {}},
        {0, 0, false, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}},
        {INT_MAX, 0, false, {INT_MIN, 0, INT_MAX, 3}},
        {-5, -5, false, {INT_MAX - 1, 0, INT_MAX, 1}},
    };
    for (const BlitCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "at " << c.x << "," << c.y << " rect " << c.rect.left << "," << c.rect.top
                                        << "," << c.rect.right << "," << c.rect.bottom);
        Clear(dest);
        Blit(dest, source, c.x, c.y, c.wholeSource ? nullptr : &c.rect, 1.0f, kRasterCopy);
        const RasterRect r = c.wholeSource ? RasterRect{0, 0, source.Width(), source.Height()} : c.rect;
        for (int dy = 0; dy < kSize; ++dy) {
            for (int dx = 0; dx < kSize; ++dx) {
                // Destination (x, y) shows source (r.left, r.top), clipped to both.
                const int64_t sx = int64_t{r.left} + dx - c.x, sy = int64_t{r.top} + dy - c.y;
                const bool inside =
                    sx >= std::max<int64_t>(r.left, 0) && sx < std::min<int64_t>(r.right, source.Width()) &&
                    sy >= std::max<int64_t>(r.top, 0) && sy < std::min<int64_t>(r.bottom, source.Height());
                const uint32_t expected = inside ? source.Row(int(sy))[sx] : kUntouched;
                ASSERT_EQ(dest.Row(dy)[dx], expected) << "pixel " << dx << "," << dy;
            }
        }
        EXPECT_EQ(dest.Row(0)[kSize], kUntouched) << "row padding must stay untouched";
    }
}

TEST(Clipping, FillDrawsExactlyTheOverlap)
{
    RasterMemBitmap dest(kSize, kSize);
    const RasterRect cases[] = {
        // x, y, w, h
        {0, 0, kSize, kSize},
        {-2, -3, 4, 5},
        {4, 4, 10, 10},
        {1, 2, 0, 3},
        {1, 2, 3, -1},
        {kSize, 0, 1, 1},
        {-1, 0, 1, 1},
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {-2, 0, INT_MAX, 2},
        {INT_MIN, 0, -1, 1},
    };
    for (const RasterRect& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << "," << c.top << " " << c.right << "x" << c.bottom);
        Clear(dest);
        FillRectangle(dest, c.left, c.top, c.right, c.bottom, 0xff112233, 1.0f, kRasterCopy);
        for (int dy = 0; dy < kSize; ++dy) {
            for (int dx = 0; dx < kSize; ++dx) {
                const bool inside =
                    dx >= c.left && dx < int64_t{c.left} + c.right && dy >= c.top && dy < int64_t{c.top} + c.bottom;
                ASSERT_EQ(dest.Row(dy)[dx], inside ? 0xff112233u : kUntouched) << "pixel " << dx << "," << dy;
            }
        }
    }
}

TEST(Clipping, DiscFillsItsCircleWhereverItLies)
{
    RasterMemBitmap dest(kSize, kSize);
    const RasterRect cases[] = {
        // x, y, diameter
        {0, 0, kSize},         {1, 1, 3}, {-3, -3, 6}, {3, -2, 8}, {-100, 0, 200}, {INT_MIN, INT_MIN, INT_MAX},
        {INT_MAX, 0, INT_MAX}, {1, 1, 0}, {1, 1, -5},
    };
    for (const RasterRect& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << "," << c.top << " " << c.right);
        Clear(dest);
        FillDisc(dest, c.left, c.top, c.right, 0xff112233);
        const double radius = c.right / 2.0;
        for (int dy = 0; dy < kSize; ++dy) {
            for (int dx = 0; dx < kSize; ++dx) {
                const double distance = std::hypot(dx + 0.5 - (c.left + radius), dy + 0.5 - (c.top + radius));
                if (c.right <= 0 || distance >= radius + 0.5) {
                    ASSERT_EQ(dest.Row(dy)[dx], kUntouched) << "pixel " << dx << "," << dy;
                } else if (distance <= radius - 0.5) {
                    ASSERT_EQ(dest.Row(dy)[dx], 0xff112233u) << "pixel " << dx << "," << dy;
                }
            }
        }
    }
}

TEST(Clipping, EmptyBitmapsAreNeitherReadNorWritten)
{
    RasterMemBitmap empty, pixel(1, 1);
    pixel.Pixels()[0] = kUntouched;
    Blit(empty, pixel, 0, 0, nullptr, 1.0f, kRasterCopy);
    Blit(pixel, empty, 0, 0, nullptr, 1.0f, kRasterCopy);
    FillRectangle(empty, 0, 0, 5, 5, 0xffffffff, 1.0f, kRasterCopy);
    EXPECT_EQ(pixel.Pixels()[0], kUntouched);
}
