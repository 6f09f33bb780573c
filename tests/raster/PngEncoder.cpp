#include "tests/raster/PngEncoder.h"

#include <png.h>

namespace {

int ChannelsOf(int colourType)
{
    switch (colourType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB:
        return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return 4;
    default:
        return 1;  // grey, palette
    }
}

void Append(png_structp png, png_bytep data, size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

[[noreturn]] void OnError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Packs one row as stored in the file: sub-byte samples most significant
// bits first, 16-bit samples big-endian.
std::vector<uint8_t> PackRow(const PngImage& image, int y)
{
    const int channels = ChannelsOf(image.colourType);
    const size_t count = static_cast<size_t>(image.width) * channels;
    const uint16_t* samples = image.samples.data() + static_cast<size_t>(y) * count;
    std::vector<uint8_t> row((count * image.bitDepth + 7) / 8);
    for (size_t i = 0; i < count; ++i) {
        if (image.bitDepth == 16) {
            row[2 * i] = static_cast<uint8_t>(samples[i] >> 8);
            row[2 * i + 1] = static_cast<uint8_t>(samples[i]);
        } else {
            const size_t bit = i * image.bitDepth;
            row[bit / 8] |= static_cast<uint8_t>(samples[i] << (8 - image.bitDepth - bit % 8));
        }
    }
    return row;
}

bool Write(png_structp png, png_infop info, const PngImage& image, std::vector<std::vector<uint8_t>>& rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colourType,
                 image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (size_t i = 0; i + 2 < image.palette.size(); i += 3)
        palette.push_back(png_color{image.palette[i], image.palette[i + 1], image.palette[i + 2]});
    if (!palette.empty())
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    png_color_16 colour{};
    if (image.transparent.size() == 1)
        colour.gray = image.transparent[0];
    if (image.transparent.size() == 3) {
        colour.red = image.transparent[0];
        colour.green = image.transparent[1];
        colour.blue = image.transparent[2];
    }
    if (!image.paletteAlpha.empty() || !image.transparent.empty())
        png_set_tRNS(png, info, image.paletteAlpha.data(), static_cast<int>(image.paletteAlpha.size()), &colour);
    std::vector<png_bytep> pointers;
    for (auto& row : rows)
        pointers.push_back(row.data());
    png_set_rows(png, info, pointers.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    return true;
}

}  // namespace

std::vector<uint8_t> EncodePng(const PngImage& image)
{
    const size_t expected = static_cast<size_t>(image.width) * image.height * ChannelsOf(image.colourType);
    if (image.samples.size() != expected)
        return {};
    std::vector<std::vector<uint8_t>> rows;
    for (int y = 0; y < image.height; ++y)
        rows.push_back(PackRow(image, y));
    std::vector<uint8_t> bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info != nullptr) {
        png_set_write_fn(png, &bytes, Append, Flush);
        if (!Write(png, info, image, rows))
            bytes.clear();
    }
    png_destroy_write_struct(&png, &info);
    return bytes;
}

std::vector<NamedPng> PngSamplesOfEveryKind()
{
    std::vector<NamedPng> samples;
    const auto add = [&samples](std::string name, int colourType, int depth, bool interlaced) {
        PngImage image;
        image.colourType = colourType;
        image.bitDepth = depth;
        image.width = 5;
        image.height = 3;
        image.interlaced = interlaced;
        const int channels = ChannelsOf(colourType);
        const int top = (1 << depth) - 1;
        for (int i = 0; i < image.width * image.height * channels; ++i)
            image.samples.push_back(static_cast<uint16_t>((i * 37 + 11) % (top + 1)));
        if (colourType == PNG_COLOR_TYPE_PALETTE) {
            for (int entry = 0; entry <= top; ++entry)
                image.palette.insert(
                    image.palette.end(),
                    {static_cast<uint8_t>(entry * 40), static_cast<uint8_t>(entry), static_cast<uint8_t>(255 - entry)});
        }
        samples.push_back({std::move(name), image});
    };
    for (int depth : {1, 2, 4, 8, 16})
        add("grey" + std::to_string(depth), PNG_COLOR_TYPE_GRAY, depth, false);
    for (int depth : {1, 2, 4, 8})
        add("palette" + std::to_string(depth), PNG_COLOR_TYPE_PALETTE, depth, false);
    for (int depth : {8, 16}) {
        add("rgb" + std::to_string(depth), PNG_COLOR_TYPE_RGB, depth, false);
        add("greyalpha" + std::to_string(depth), PNG_COLOR_TYPE_GRAY_ALPHA, depth, false);
        add("rgba" + std::to_string(depth), PNG_COLOR_TYPE_RGB_ALPHA, depth, false);
    }
    add("rgba8-interlaced", PNG_COLOR_TYPE_RGB_ALPHA, 8, true);
    add("palette4-interlaced", PNG_COLOR_TYPE_PALETTE, 4, true);
    // Transparency chunks: palette alpha, a grey key and an RGB key.
    add("palette8-trns", PNG_COLOR_TYPE_PALETTE, 8, false);
    samples.back().image.paletteAlpha = {0, 128, 255};
    add("grey8-trns", PNG_COLOR_TYPE_GRAY, 8, false);
    samples.back().image.transparent = {samples.back().image.samples[0]};
    add("rgb16-trns", PNG_COLOR_TYPE_RGB, 16, false);
    const auto& rgb = samples.back().image.samples;
    samples.back().image.transparent = {rgb[0], rgb[1], rgb[2]};
    return samples;
}
