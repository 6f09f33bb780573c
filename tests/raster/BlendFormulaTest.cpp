// The per-pixel results of every blend mode, computed by hand, for blits and
// fills alike.
#include "editor/raster/Blit.h"
#include "editor/raster/RasterMemBitmap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace orv::editor;

namespace {

struct PixelCase {
    const char* name;
    uint32_t dest;
    uint32_t source;
    float weight;
    uint32_t expected;
};

uint32_t BlitOnePixel(uint32_t dest, uint32_t source, float weight, uint32_t mode)
{
    RasterMemBitmap to(1, 1), from(1, 1);
    to.Pixels()[0] = dest;
    from.Pixels()[0] = source;
    Blit(to, from, 0, 0, nullptr, weight, mode);
    return to.Pixels()[0];
}

uint32_t FillOnePixel(uint32_t dest, uint32_t colour, float weight, uint32_t mode)
{
    RasterMemBitmap to(1, 1);
    to.Pixels()[0] = dest;
    FillRectangle(to, 0, 0, 1, 1, colour, weight, mode);
    return to.Pixels()[0];
}

template <size_t N>
void ExpectBlitAndFill(const PixelCase (&cases)[N], uint32_t mode)
{
    for (const PixelCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BlitOnePixel(c.dest, c.source, c.weight, mode), c.expected) << std::hex << "blit";
        EXPECT_EQ(FillOnePixel(c.dest, c.source, c.weight, mode), c.expected) << std::hex << "fill";
    }
}

}  // namespace

TEST(BlendFormula, CopyWithAlpha)
{
    const PixelCase cases[] = {
        // 255 + trunc((0 - 255) * 127 / 256) = 129; alpha min(255, 255 + 128).
        {"half-transparent white over opaque black", 0xff000000, 0x80ffffff, 1.0f, 0xff818181},
        // 0 + trunc(255 * 127 / 256) = 126: the truncation goes toward zero.
        {"half-transparent black over opaque white", 0xffffffff, 0x80000000, 1.0f, 0xff7e7e7e},
        {"transparent source leaves the destination", 0xff102030, 0x00ffffff, 1.0f, 0xff102030},
        {"opaque source replaces colour and alpha", 0x80445566, 0xff112233, 1.0f, 0xff112233},
        {"alpha adds up on a transparent destination", 0x00000000, 0x80ff0000, 1.0f, 0x80810000},
        {"alpha sum stops at 255", 0x90ffffff, 0x80000000, 1.0f, 0xff7e7e7e},
        // Weight 0.5: a = 255 * 128 >> 8 = 127; 255 - trunc(255 * 128 / 256) = 128.
        {"weight scales the source alpha", 0xff000000, 0xffffffff, 0.5f, 0xff808080},
        // a = 1 * 128 >> 8 = 0: nothing left to draw.
        {"alpha scaled to zero draws nothing", 0xff000000, 0x01ffffff, 0.5f, 0xff000000},
    };
    ExpectBlitAndFill(cases, kRasterCopyAlpha);
}

TEST(BlendFormula, PlainCopy)
{
    const PixelCase cases[] = {
        {"full weight copies all four bytes", 0xffffffff, 0x00123456, 1.0f, 0x00123456},
        {"half weight averages each byte", 0x30405061, 0x10203040, 0.5f, 0x20304050},
        {"quarter weight", 0xffffffff, 0x00000000, 0.25f, 0xbfbfbfbf},
        {"three-quarter weight", 0x00000000, 0xffffffff, 0.75f, 0xbfbfbfbf},
        {"three-quarter weight, other way", 0xffffffff, 0x00000000, 0.75f, 0x3f3f3f3f},
        // f = trunc(0.1 * 256) = 25: 255 * 25 >> 8 = 24.
        {"other weights are linear in 1/256", 0x00000000, 0xffffffff, 0.1f, 0x18181818},
        {"weights above 1 count as 1", 0x00000000, 0x11223344, 7.0f, 0x11223344},
    };
    ExpectBlitAndFill(cases, kRasterCopy);
}

TEST(BlendFormula, AddWithAlpha)
{
    const PixelCase cases[] = {
        // 128 + trunc(64 * 128 / 255) = 160, 128 + 16 = 144, 128 + 8 = 136.
        {"adds the source scaled by its alpha", 0xff808080, 0x80402010, 1.0f, 0xffa09088},
        {"saturates at 255", 0x40808080, 0xffffffff, 1.0f, 0xffffffff},
        {"transparent source adds nothing", 0xff808080, 0x00ffffff, 1.0f, 0xff808080},
    };
    ExpectBlitAndFill(cases, kRasterAddAlpha);
}

TEST(BlendFormula, DodgeWithAlpha)
{
    const PixelCase cases[] = {
        // 64 * 255 / 127 = 128.
        {"brightens by the source", 0xff404040, 0xff808080, 1.0f, 0xff808080},
        {"white source gives white", 0xff404040, 0xffffffff, 1.0f, 0xffffffff},
        // 64 + trunc((128 - 64) * 128 / 255) = 96.
        {"half alpha goes half way", 0xff404040, 0x80808080, 1.0f, 0xff606060},
        {"black source changes no colour", 0x80404040, 0x80000000, 1.0f, 0xff404040},
    };
    ExpectBlitAndFill(cases, kRasterDodgeAlpha);
}

TEST(BlendFormula, WithoutTheAlphaBitTheSourceCountsAsOpaque)
{
    EXPECT_EQ(BlitOnePixel(0xff808080, 0x00402010, 1.0f, kRasterOpAdd), 0xffc0a090u);
    EXPECT_EQ(BlitOnePixel(0xff404040, 0x00808080, 1.0f, kRasterOpDodge), 0xff808080u);
}

TEST(BlendFormula, NothingIsDrawnAtWeightZeroOrForOperationsNotProvided)
{
    for (uint32_t mode : {kRasterCopy, kRasterCopyAlpha, kRasterAddAlpha, kRasterDodgeAlpha}) {
        for (float weight : {0.0f, -1.0f, 0.001f, std::nanf("")}) {
            EXPECT_EQ(BlitOnePixel(0x12345678, 0xffffffff, weight, mode), 0x12345678u) << mode << " " << weight;
            EXPECT_EQ(FillOnePixel(0x12345678, 0xffffffff, weight, mode), 0x12345678u) << mode << " " << weight;
        }
    }
    for (uint32_t operation : {kRasterOpMultiply, kRasterOpOverlay, kRasterOpHueSaturationValue}) {
        EXPECT_EQ(BlitOnePixel(0x12345678, 0xffffffff, 1.0f, operation | kRasterUseAlpha), 0x12345678u);
        EXPECT_EQ(FillOnePixel(0x12345678, 0xffffffff, 1.0f, operation), 0x12345678u);
    }
}

TEST(BlendFormula, FillWithATransparentColourChangesNothing)
{
    for (float weight : {1.0f, 0.5f, 0.3f})
        EXPECT_EQ(FillOnePixel(0xff336699, 0x00ffffff, weight, kRasterCopyAlpha), 0xff336699u);
}

TEST(BlendFormula, QuarterWeightsMatchTheLinearFormulaOnAnyPixels)
{
    // The quarter weights are computed by shift and mask; per byte they must
    // equal (s * f + d * (256 - f)) >> 8.
    std::mt19937 random(7);
    for (int trial = 0; trial < 2000; ++trial) {
        const uint32_t d = random(), s = random();
        for (int f : {64, 128, 192}) {
            uint32_t expected = 0;
            for (int shift = 0; shift < 32; shift += 8)
                expected |= ((((s >> shift) & 0xff) * f + ((d >> shift) & 0xff) * (256 - f)) >> 8) << shift;
            ASSERT_EQ(BlitOnePixel(d, s, f / 256.0f, kRasterCopy), expected) << std::hex << d << " " << s << " " << f;
        }
    }
}
