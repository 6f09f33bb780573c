// PNG decoding: any bytes as an image file. A decoded image must have a size
// within the limits and every pixel readable; failures must leak nothing.
//
// Every chunk carries a CRC, so almost every mutation would be rejected at
// the first check. The input is therefore decoded twice: as it is (the
// framing and the checks themselves), and with the CRC of every whole chunk
// recomputed (so the mutations reach the header, palette, transparency and
// compressed data behind them).
#include "editor/raster/Png.h"

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace orv::editor;

namespace {

constexpr size_t kSignatureSize = 8;
constexpr size_t kChunkFraming = 12;  // length, type, CRC

uint32_t ReadBigEndian(const uint8_t* bytes)
{
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
}

// The file with the CRC of every chunk that fits recomputed.
std::vector<uint8_t> WithFixedChecksums(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> file(data, data + size);
    size_t at = kSignatureSize;
    while (at + kChunkFraming <= file.size()) {
        const uint32_t length = ReadBigEndian(&file[at]);
        if (length > file.size() - at - kChunkFraming)
            break;
        const uLong crc = crc32(0, &file[at + 4], uInt(length + 4));
        for (int i = 0; i < 4; ++i)
            file[at + 8 + length + i] = uint8_t(crc >> (24 - 8 * i));
        at += kChunkFraming + length;
    }
    return file;
}

void Decode(const uint8_t* data, size_t size)
{
    const auto bitmap = LoadPngFromMemory(data, size);
    if (bitmap == nullptr)
        return;
    if (bitmap->Width() <= 0 || bitmap->Height() <= 0 || bitmap->Width() > kMaxPngDimension ||
        bitmap->Height() > kMaxPngDimension || bitmap->RowSpan() < bitmap->Width())
        std::abort();
    uint32_t mix = 0;
    for (int y = 0; y < bitmap->Height(); ++y)
        for (int x = 0; x < bitmap->Width(); ++x)
            mix ^= bitmap->Row(y)[x];
    volatile uint32_t sink = mix;  // keeps the reads from being optimised away
    (void)sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Decode(data, size);
    const std::vector<uint8_t> fixed = WithFixedChecksums(data, size);
    Decode(fixed.data(), fixed.size());
    return 0;
}
