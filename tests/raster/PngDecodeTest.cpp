// PNG images of every colour type and bit depth decode to 0xAARRGGBB pixels;
// anything that is not a whole, valid PNG gives no bitmap.
#include "editor/raster/Png.h"
#include "tests/raster/PngEncoder.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstring>

using namespace orv::editor;

namespace {

// Palette entry k is (k, 0x40 + k, 0x80 + k).
std::vector<uint8_t> TestPalette(int entries)
{
    std::vector<uint8_t> palette;
    for (int k = 0; k < entries; ++k)
        palette.insert(palette.end(), {uint8_t(k), uint8_t(0x40 + k), uint8_t(0x80 + k)});
    return palette;
}

struct DecodeCase {
    const char* name;
    int colourType;
    int bitDepth;
    std::vector<uint16_t> samples;  // two pixels
    std::vector<uint32_t> expected;
    std::vector<uint8_t> palette = {};
    std::vector<uint8_t> paletteAlpha = {};
    std::vector<uint16_t> transparent = {};
};

std::vector<uint32_t> DecodedPixels(const RasterMemBitmap& bitmap)
{
    std::vector<uint32_t> pixels;
    for (int y = 0; y < bitmap.Height(); ++y)
        pixels.insert(pixels.end(), bitmap.Row(y), bitmap.Row(y) + bitmap.Width());
    return pixels;
}

std::vector<uint8_t> SmallRgbPng()
{
    PngImage image{PNG_COLOR_TYPE_RGB, 8, 2, 1, false, {1, 2, 3, 4, 5, 6}, {}, {}, {}};
    return EncodePng(image);
}

}  // namespace

TEST(PngDecode, EveryColourTypeAndDepthGivesTheRightPixels)
{
    const DecodeCase cases[] = {
        {"grey 1-bit", PNG_COLOR_TYPE_GRAY, 1, {0, 1}, {0xff000000, 0xffffffff}},
        {"grey 2-bit", PNG_COLOR_TYPE_GRAY, 2, {1, 2}, {0xff555555, 0xffaaaaaa}},
        {"grey 4-bit", PNG_COLOR_TYPE_GRAY, 4, {1, 14}, {0xff111111, 0xffeeeeee}},
        {"grey 8-bit", PNG_COLOR_TYPE_GRAY, 8, {0x12, 0xfe}, {0xff121212, 0xfffefefe}},
        {"grey 16-bit keeps the high byte", PNG_COLOR_TYPE_GRAY, 16, {0x12ff, 0xab00}, {0xff121212, 0xffababab}},
        {"grey key is transparent", PNG_COLOR_TYPE_GRAY, 8, {0x12, 0x34}, {0x00121212, 0xff343434}, {}, {}, {0x12}},
        {"grey and alpha 8-bit", PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x40, 0x80, 0xff, 0x00}, {0x80404040, 0x00ffffff}},
        {"grey and alpha 16-bit",
         PNG_COLOR_TYPE_GRAY_ALPHA,
         16,
         {0x4011, 0x80ff, 0xffff, 0x0000},
         {0x80404040, 0x00ffffff}},
        {"rgb 8-bit", PNG_COLOR_TYPE_RGB, 8, {0x11, 0x22, 0x33, 0xaa, 0xbb, 0xcc}, {0xff112233, 0xffaabbcc}},
        {"rgb 16-bit",
         PNG_COLOR_TYPE_RGB,
         16,
         {0x1100, 0x22ff, 0x3380, 0xaa00, 0xbb00, 0xcc00},
         {0xff112233, 0xffaabbcc}},
        {"rgb key is transparent",
         PNG_COLOR_TYPE_RGB,
         8,
         {0x11, 0x22, 0x33, 0xaa, 0xbb, 0xcc},
         {0x00112233, 0xffaabbcc},
         {},
         {},
         {0x11, 0x22, 0x33}},
        {"rgba 8-bit",
         PNG_COLOR_TYPE_RGB_ALPHA,
         8,
         {0x11, 0x22, 0x33, 0x44, 0xaa, 0xbb, 0xcc, 0xdd},
         {0x44112233, 0xddaabbcc}},
        {"rgba 16-bit",
         PNG_COLOR_TYPE_RGB_ALPHA,
         16,
         {0x1100, 0x2200, 0x3300, 0x4400, 0xaa00, 0xbb00, 0xcc00, 0xdd00},
         {0x44112233, 0xddaabbcc}},
        {"palette 1-bit", PNG_COLOR_TYPE_PALETTE, 1, {0, 1}, {0xff004080, 0xff014181}, TestPalette(2)},
        {"palette 2-bit", PNG_COLOR_TYPE_PALETTE, 2, {3, 1}, {0xff034383, 0xff014181}, TestPalette(4)},
        {"palette 4-bit", PNG_COLOR_TYPE_PALETTE, 4, {15, 9}, {0xff0f4f8f, 0xff094989}, TestPalette(16)},
        {"palette 8-bit with alpha",
         PNG_COLOR_TYPE_PALETTE,
         8,
         {0, 1},
         {0x80004080, 0xff014181},
         TestPalette(2),
         {0x80}},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        PngImage image{c.colourType, c.bitDepth, 2, 1, false, c.samples, c.palette, c.paletteAlpha, c.transparent};
        const std::vector<uint8_t> file = EncodePng(image);
        ASSERT_FALSE(file.empty());
        const auto bitmap = LoadPngFromMemory(file.data(), file.size());
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->Width(), 2);
        EXPECT_EQ(bitmap->Height(), 1);
        EXPECT_EQ(DecodedPixels(*bitmap), c.expected);
    }
}

TEST(PngDecode, InterlacedImagesDecodeLikeTheirPlainTwins)
{
    for (NamedPng& sample : PngSamplesOfEveryKind()) {
        SCOPED_TRACE(sample.name);
        sample.image.width = 11;  // more than one Adam7 block each way
        sample.image.height = 9;
        const int channels = int(sample.image.samples.size() / 15);
        sample.image.samples.resize(size_t(11 * 9 * channels));
        for (size_t i = 0; i < sample.image.samples.size(); ++i)
            sample.image.samples[i] = uint16_t((i * 7919 + 3) % (1u << sample.image.bitDepth));
        sample.image.interlaced = false;
        const auto plainFile = EncodePng(sample.image);
        sample.image.interlaced = true;
        const auto interlacedFile = EncodePng(sample.image);
        const auto plain = LoadPngFromMemory(plainFile.data(), plainFile.size());
        const auto interlaced = LoadPngFromMemory(interlacedFile.data(), interlacedFile.size());
        ASSERT_NE(plain, nullptr);
        ASSERT_NE(interlaced, nullptr);
        EXPECT_EQ(plain->Width(), 11);
        EXPECT_EQ(plain->Height(), 9);
        EXPECT_EQ(DecodedPixels(*plain), DecodedPixels(*interlaced));
    }
}

TEST(PngDecode, DataThatIsNotAWholePngGivesNoBitmap)
{
    const std::vector<uint8_t> file = SmallRgbPng();
    ASSERT_NE(LoadPngFromMemory(file.data(), file.size()), nullptr);
    EXPECT_EQ(LoadPngFromMemory(nullptr, 0), nullptr);
    EXPECT_EQ(LoadPngFromMemory(nullptr, 100), nullptr);
    // Every cut, from the 7 bytes of an unfinished signature to a missing
    // last byte. Each copy is exactly as long as the cut, so reading past its
    // end is caught under AddressSanitizer.
    for (size_t length = 0; length < file.size(); ++length) {
        const std::vector<uint8_t> cut(file.begin(), file.begin() + long(length));
        EXPECT_EQ(LoadPngFromMemory(cut.data(), cut.size()), nullptr) << "cut to " << length << " bytes";
    }
    // Any changed byte: a wrong signature, or chunk data whose check sum no
    // longer matches.
    for (size_t at = 0; at < file.size(); ++at) {
        std::vector<uint8_t> corrupt = file;
        corrupt[at] ^= 0x5a;
        EXPECT_EQ(LoadPngFromMemory(corrupt.data(), corrupt.size()), nullptr) << "byte " << at << " changed";
    }
}

TEST(PngDecode, ImagesTooLargeToBeSkinImagesAreRefused)
{
    for (uint32_t width : {uint32_t(kMaxPngDimension + 1), 0x7fffffffu}) {
        std::vector<uint8_t> file = SmallRgbPng();
        // The header chunk: length (4), "IHDR" (4), width at offset 16, its
        // check sum after the 13 data bytes.
        ASSERT_EQ(std::memcmp(file.data() + 12, "IHDR", 4), 0);
        for (int i = 0; i < 4; ++i)
            file[16 + i] = uint8_t(width >> (24 - 8 * i));
        const uLong crc = crc32(0, file.data() + 12, 17);
        for (int i = 0; i < 4; ++i)
            file[29 + i] = uint8_t(crc >> (24 - 8 * i));
        EXPECT_EQ(LoadPngFromMemory(file.data(), file.size()), nullptr) << width;
    }
}

TEST(PngDecode, MissingResourceGivesNoBitmap)
{
    EXPECT_EQ(LoadPngResource(4242), nullptr);
}
