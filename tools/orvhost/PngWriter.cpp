#include "tools/orvhost/PngWriter.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace orv::host {

namespace {

// libpng reports errors by longjmp; nothing with a destructor may live in
// this frame.
bool Encode(std::FILE* file, const uint8_t* pixels, int width, int height, png_bytep* rows)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    for (int y = 0; y < height; ++y)
        rows[y] = const_cast<png_bytep>(pixels + static_cast<size_t>(y) * static_cast<size_t>(width) * 4);
    png_set_rows(png, info, rows);
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WritePng(const std::string& path, const uint8_t* pixels, int width, int height, std::string& error)
{
    if (pixels == nullptr || width <= 0 || height <= 0) {
        error = "no picture to write";
        return false;
    }
    const std::string partial = path + ".partial";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot create " + partial;
        return false;
    }
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    const bool encoded = Encode(file, pixels, width, height, rows.data());
    const bool closed = std::fclose(file) == 0;
    std::error_code failure;
    if (encoded && closed)
        std::filesystem::rename(partial, path, failure);
    if (!encoded || !closed || failure) {
        std::filesystem::remove(partial, failure);
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace orv::host
