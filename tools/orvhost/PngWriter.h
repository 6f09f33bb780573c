// Writes 8-bit RGBA pixels as a PNG file with libpng. The file appears only
// once it is complete: it is written beside the target and then renamed.
#pragma once

#include <cstdint>
#include <string>

namespace orv::host {

// pixels: height rows of width pixels, each red, green, blue, alpha. False
// with a reason in error when the file cannot be written.
bool WritePng(const std::string& path, const uint8_t* pixels, int width, int height, std::string& error);

}  // namespace orv::host
