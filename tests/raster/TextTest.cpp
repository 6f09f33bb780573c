// Text drawn in a style: where its pixels land, in what colour, and that
// no text of any bytes can make drawing misbehave.
#include "editor/raster/RasterCachedFont.h"
#include "editor/raster/RasterMemBitmap.h"
#include "editor/raster/RasterSysBitmap.h"
#include "editor/raster/TextStyle.h"
#include "editor/raster/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace orv::editor;

namespace {

constexpr uint32_t kOpaqueBlack = 0xff000000;

TextStyle Style(const char* face, int height, uint32_t colour, int alignment = kTextAlignNear)
{
    TextStyle style;
    std::strncpy(style.face, face, sizeof(style.face) - 1);
    style.height = height;
    style.colour = colour;
    style.alignment = alignment;
    return style;
}

void Fill(RasterBitmap& bitmap, uint32_t pixel)
{
    for (int y = 0; y < bitmap.Height(); ++y)
        std::fill(bitmap.Row(y), bitmap.Row(y) + bitmap.Width(), pixel);
}

// The box around every pixel that differs from `background` (empty when none).
RasterRect InkBox(const RasterBitmap& bitmap, uint32_t background)
{
    RasterRect box{bitmap.Width(), bitmap.Height(), 0, 0};
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (bitmap.Row(y)[x] != background) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
            }
        }
    }
    return box.right > box.left ? box : RasterRect{};
}

}  // namespace

TEST(Text, TranslucentTextLandsInsideItsRectangleInItsColour)
{
    for (const char* face : {"Arial", "Verdana"}) {
        SCOPED_TRACE(face);
        RasterSysBitmap bitmap(200, 40);
        Fill(bitmap, kOpaqueBlack);
        TextStyle style = Style(face, 16, 0xa0ffffff, kTextAlignCentre);
        RasterRect rect{10, 5, 190, 35};
        ASSERT_TRUE(DrawStyledText(&bitmap, style, "abc", rect, false));
        const RasterRect ink = InkBox(bitmap, kOpaqueBlack);
        ASSERT_GT(ink.Width(), 5) << "text was drawn";
        EXPECT_GE(ink.left, rect.left);
        EXPECT_LE(ink.right, rect.right);
        EXPECT_GE(ink.top, rect.top);
        EXPECT_LE(ink.bottom, rect.top + 16);
        // White at alpha 160 over black: grey, at most 255 - trunc(255 * 95 / 256) = 161.
        int brightest = 0;
        for (int y = 0; y < bitmap.Height(); ++y) {
            for (int x = 0; x < bitmap.Width(); ++x) {
                const uint32_t pixel = bitmap.Row(y)[x];
                const int grey = int(pixel & 0xff);
                ASSERT_EQ(pixel, kOpaqueBlack | uint32_t(grey) * 0x010101u);
                brightest = std::max(brightest, grey);
            }
        }
        EXPECT_LE(brightest, 161);
        EXPECT_GE(brightest, 150) << "some pixel is fully covered";
    }
}

TEST(Text, GlyphCoverageScalesTheTextAlpha)
{
    RasterMemBitmap bitmap(120, 30);
    TextStyle style = Style("Arial", 20, 0x80336699);
    RasterRect rect{0, 0, 120, 30};
    ASSERT_TRUE(DrawStyledText(&bitmap, style, "Ag", rect, false));
    int strongest = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            strongest = std::max(strongest, int(bitmap.Row(y)[x] >> 24));
    EXPECT_EQ(strongest, 0x80) << "full coverage gives the text alpha, never more";
}

TEST(Text, EmptyTextDrawsNothingAndSucceeds)
{
    RasterMemBitmap bitmap(20, 20);
    TextStyle style = Style("Arial", 12, kOpaqueBlack);
    RasterRect rect{0, 0, 20, 20};
    EXPECT_TRUE(DrawStyledText(&bitmap, style, "", rect, false));
    EXPECT_TRUE(DrawStyledText(nullptr, style, "", rect, false));
    EXPECT_EQ(InkBox(bitmap, 0).Width(), 0);
    EXPECT_FALSE(DrawStyledText(nullptr, style, "x", rect, false)) << "no bitmap to draw into";
}

TEST(Text, AlignmentPlacesTheLineLeftCentreOrRight)
{
    int inkLeft[3] = {};
    for (int alignment : {kTextAlignNear, kTextAlignCentre, kTextAlignFar}) {
        RasterMemBitmap bitmap(300, 30);
        TextStyle style = Style("Verdana", 14, kOpaqueBlack, alignment);
        RasterRect rect{20, 2, 280, 28};
        ASSERT_TRUE(DrawStyledText(&bitmap, style, "Ice Palace", rect, false));
        const RasterRect ink = InkBox(bitmap, 0);
        inkLeft[alignment] = ink.left;
        RasterRect extent = rect;
        ASSERT_TRUE(DrawStyledText(nullptr, style, "Ice Palace", extent, true));
        const int width = extent.Width();
        const int expectedLeft[3] = {rect.left, (rect.left + rect.right) / 2 - width / 2, rect.right - width};
        EXPECT_NEAR(ink.left, expectedLeft[alignment], 3) << "alignment " << alignment;
    }
    EXPECT_LT(inkLeft[0], inkLeft[1]);
    EXPECT_LT(inkLeft[1], inkLeft[2]);
}

TEST(Text, MeasuringSetsTheRectangleToTheTextExtent)
{
    TextStyle style = Style("Arial", 16, kOpaqueBlack, kTextAlignNear);
    ASSERT_NE(FontForStyle(style), nullptr);
    const int lineHeight = style.font->LineHeight();
    RasterRect near{10, 20, 500, 90};
    ASSERT_TRUE(DrawStyledText(nullptr, style, "Morph", near, true));
    const int width = near.Width();
    EXPECT_GT(width, 20);
    EXPECT_EQ(near.left, 10);
    EXPECT_EQ(near.bottom, 20 + lineHeight) << "one line";

    style.alignment = kTextAlignFar;
    RasterRect far{10, 20, 500, 90};
    ASSERT_TRUE(DrawStyledText(nullptr, style, "Morph", far, true));
    EXPECT_EQ(far.right, 500);
    EXPECT_EQ(far.left, 500 - width);

    style.alignment = kTextAlignCentre;
    RasterRect centre{11, 20, 500, 90};
    ASSERT_TRUE(DrawStyledText(nullptr, style, "Morph", centre, true));
    EXPECT_EQ(centre.left, (11 + 500) / 2 - width / 2);
    EXPECT_EQ(centre.right, centre.left + width);

    RasterRect twoLines{0, 0, 0, 0};
    ASSERT_TRUE(DrawStyledText(nullptr, style, "a\r\nb", twoLines, true));
    EXPECT_EQ(twoLines.bottom, 2 * lineHeight);
}

TEST(Text, TabsAdvanceToTheirStopsAndControlCharactersDrawNothing)
{
    TextStyle style = Style("Arial", 13, kOpaqueBlack, kTextAlignNear);
    const auto width = [&style](const std::string& text) {
        RasterRect extent{0, 0, 0, 0};
        EXPECT_TRUE(DrawStyledText(nullptr, style, text, extent, true));
        return extent.Width();
    };
    const int stop = 8 * width("0");
    ASSERT_GT(stop, width("Your"));
    EXPECT_EQ(width("Your\tB"), stop + width("B"));
    EXPECT_EQ(width("\tYour\tB"), 2 * stop + width("B"));

    const auto draw = [&style](const std::string& text) {
        RasterMemBitmap bitmap(120, 20);
        RasterRect rect{2, 2, 118, 18};
        EXPECT_TRUE(DrawStyledText(&bitmap, style, text, rect, false));
        std::vector<uint32_t> pixels;
        for (int y = 0; y < bitmap.Height(); ++y)
            pixels.insert(pixels.end(), bitmap.Row(y), bitmap.Row(y) + bitmap.Width());
        return pixels;
    };
    EXPECT_EQ(draw("A\x01\x1b\x7f\xc2\x85"
                   "B"),
              draw("AB"));
}

TEST(Text, TextTooTallForTheGlyphCacheStillDraws)
{
    // Fonts taller than 255 pixels go to the system's own text output where
    // the bitmap has a device context (Windows), to cached glyphs elsewhere.
    RasterSysBitmap bitmap(300, 340);
    Fill(bitmap, kOpaqueBlack);
    TextStyle style = Style("Arial", 300, 0xffffffff);
    RasterRect rect{0, 0, 300, 340};
    ASSERT_TRUE(DrawStyledText(&bitmap, style, "H", rect, false));
    int lit = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            lit += (bitmap.Row(y)[x] & 0xffffff) == 0xffffff;
    EXPECT_GT(lit, 5000) << "the strokes of a 300-pixel H";
}

TEST(Text, MonochromeQualityDrawsOnlyWholePixels)
{
    RasterMemBitmap bitmap(100, 30);
    TextStyle style = Style("Arial", 18, 0xffffffff);
    style.quality = kTextQualityNonAntialiased;
    RasterRect rect{0, 0, 100, 30};
    ASSERT_TRUE(DrawStyledText(&bitmap, style, "Wave", rect, false));
    int drawn = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const uint32_t pixel = bitmap.Row(y)[x];
            ASSERT_TRUE(pixel == 0 || pixel == 0xffffffff) << std::hex << pixel;
            drawn += pixel != 0;
        }
    }
    EXPECT_GT(drawn, 20);
}

TEST(Text, StylesShareFontsOnlyWhenTheyLookTheSame)
{
    TextStyle first = Style("Arial", 13, kOpaqueBlack), second = first, other = first;
    other.quality = kTextQualityNonAntialiased;
    RasterCachedFont* font = FontForStyle(first);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(first.font, font);
    EXPECT_EQ(FontForStyle(second), font);
    EXPECT_NE(FontForStyle(other), font);
    EXPECT_NEAR(font->LineHeight(), 13, 1) << "the style's height is the line height (GDI may round it up)";
}

TEST(Text, AnyBytesAreSafeText)
{
    const std::vector<std::string> texts = {
        "\xff\xfe",
        "abc\xe2\x82",
        "\xf0\x9f",
        "\xc0\xaf",
        "\xed\xa0\x80",
        "\xf4\x90\x80\x80",
        "\x80\x80\x80",
        std::string("a\0b", 3),
        "\xe2\x82\xac \xf0\x9f\x8e\xb9 \xc3\xa9",
        "\n\n\r\r\n",
        std::string(300, '\xc3'),
    };
    RasterMemBitmap bitmap(64, 64);
    TextStyle style = Style("Verdana", 12, 0xc0ffffff);
    for (const std::string& text : texts) {
        // A copy of exactly the text's length: any read past it is caught
        // under AddressSanitizer.
        const std::unique_ptr<char[]> exact(new char[text.size()]);
        std::memcpy(exact.get(), text.data(), text.size());
        RasterRect rect{-10, -5, 70, 40};
        EXPECT_TRUE(DrawStyledText(&bitmap, style, std::string_view(exact.get(), text.size()), rect, false));
        EXPECT_TRUE(DrawStyledText(nullptr, style, std::string_view(exact.get(), text.size()), rect, true));
    }
    RasterRect far{INT_MAX - 5, INT_MIN + 3, INT_MAX, INT_MAX};
    EXPECT_TRUE(DrawStyledText(&bitmap, style, "far away", far, false));
    EXPECT_TRUE(DrawStyledText(&bitmap, style, "far away", far, true));
}

TEST(Text, Utf8DecodingReplacesEveryMalformedByte)
{
    const struct {
        std::string text;
        std::vector<char32_t> codePoints;
    } cases[] = {
        {"A\xc3\xa9", {U'A', 0xe9}},
        {"\xe2\x82\xac\xf0\x9f\x8e\xb9", {0x20ac, 0x1f3b9}},
        {"\xc0\xaf", {kReplacementCharacter, kReplacementCharacter}},                             // overlong
        {"\xed\xa0\x80", {kReplacementCharacter, kReplacementCharacter, kReplacementCharacter}},  // surrogate
        {"\xf4\x90\x80\x80", std::vector<char32_t>(4, kReplacementCharacter)},                    // above U+10FFFF
        {"a\xe2\x82", {U'a', kReplacementCharacter, kReplacementCharacter}},                      // cut short
        {"\x80z", {kReplacementCharacter, U'z'}},
        {"\xe2(\xa1", {kReplacementCharacter, U'(', kReplacementCharacter}},
    };
    for (const auto& c : cases) {
        std::vector<char32_t> decoded;
        size_t position = 0;
        while (position < c.text.size())
            decoded.push_back(NextCodePoint(c.text, position));
        EXPECT_EQ(decoded, c.codePoints) << c.text;
        EXPECT_EQ(position, c.text.size());
    }
}
