// Writes PNG files with libpng's own writer, in every colour type and bit
// depth, for the decoder's tests and the fuzz target's seeds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PngImage {
    int colourType = 0;  // PNG_COLOR_TYPE_*
    int bitDepth = 8;
    int width = 0;
    int height = 0;
    bool interlaced = false;
    // Channel values row by row, pixel by pixel (one per channel; palette
    // images: the index), each within the bit depth.
    std::vector<uint16_t> samples;
    std::vector<uint8_t> palette;       // r, g, b per entry
    std::vector<uint8_t> paletteAlpha;  // tRNS of palette images
    std::vector<uint16_t> transparent;  // tRNS colour of grey (1 value) or RGB (3) images
};

// The file's bytes; empty when libpng refused the image.
std::vector<uint8_t> EncodePng(const PngImage& image);

// One small image of each colour type and bit depth (with and without a
// transparency chunk, and interlaced), named for the seed files.
struct NamedPng {
    std::string name;
    PngImage image;
};
std::vector<NamedPng> PngSamplesOfEveryKind();
