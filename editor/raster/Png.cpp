#include "editor/raster/Png.h"

#include "platform/Resources.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace orv::editor {

namespace {

constexpr size_t kSignatureSize = 8;
constexpr int kBytesPerPixel = 4;

struct MemoryReader {
    const unsigned char* data;
    size_t size;
    size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t count)
{
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (count > reader->size - reader->position)
        png_error(png, "truncated");
    std::memcpy(out, reader->data + reader->position, count);
    reader->position += count;
}

// libpng must neither print nor abort: errors jump back to the setjmp of
// the step that was running, warnings are dropped.
[[noreturn]] void OnError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// The two steps that call into libpng set their own jump target and hold no
// C++ objects, which a longjmp would skip without destroying.

// Reads the header and sets every conversion to 8-bit BGRA (0xAARRGGBB
// words on a little-endian machine); false on any error.
bool ReadHeader(png_structp png, png_infop info, png_uint_32& width, png_uint_32& height)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_user_limits(png, kMaxPngDimension, kMaxPngDimension);
    png_read_info(png, info);
    const int colourType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    if (colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    const bool transparencyChunk = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (transparencyChunk)
        png_set_tRNS_to_alpha(png);
    if (bitDepth == 16)
        png_set_strip_16(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if ((colourType & PNG_COLOR_MASK_ALPHA) == 0 && !transparencyChunk)
        png_set_filler(png, 0xff, PNG_FILLER_AFTER);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    return png_get_bit_depth(png, info) == 8 && png_get_channels(png, info) == kBytesPerPixel &&
           png_get_rowbytes(png, info) == static_cast<size_t>(width) * kBytesPerPixel;
}

// Decodes every row and reads on to the end of the file.
bool ReadRows(png_structp png, png_infop info, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows);
    png_read_end(png, info);
    return true;
}

}  // namespace

std::unique_ptr<RasterMemBitmap> LoadPngFromMemory(const void* bytes, size_t length)
{
    const auto* data = static_cast<const unsigned char*>(bytes);
    if (data == nullptr || length < kSignatureSize || png_sig_cmp(data, 0, kSignatureSize) != 0)
        return nullptr;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (png == nullptr)
        return nullptr;
    png_infop info = png_create_info_struct(png);
    MemoryReader reader{data, length, 0};
    std::unique_ptr<RasterMemBitmap> bitmap;
    std::vector<png_bytep> rows;
    png_uint_32 width = 0, height = 0;
    if (info != nullptr) {
        png_set_read_fn(png, &reader, ReadFromMemory);
        if (ReadHeader(png, info, width, height) && width > 0 && height > 0) {
            bitmap = std::make_unique<RasterMemBitmap>(static_cast<int>(width), static_cast<int>(height));
            if (!bitmap->Empty()) {
                rows.resize(height);
                for (png_uint_32 y = 0; y < height; ++y)
                    rows[y] = reinterpret_cast<png_bytep>(bitmap->Row(static_cast<int>(y)));
            }
            if (bitmap->Empty() || !ReadRows(png, info, rows.data()))
                bitmap.reset();
        }
    }
    png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
    return bitmap;
}

std::unique_ptr<RasterMemBitmap> LoadPngResource(int id)
{
    platform::ResourceBytes resource;
    if (!platform::FindLibraryResource("PNG", id, resource) || resource.size < kSignatureSize)
        return nullptr;
    return LoadPngFromMemory(resource.data, resource.size);
}

}  // namespace orv::editor
