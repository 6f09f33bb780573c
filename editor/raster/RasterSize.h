// Size arithmetic shared by the bitmap kinds, safe for any int input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

namespace orv::editor {

// The width raised to the next multiple of 4 pixels.
inline int64_t PaddedRowSpan(int width)
{
    return (static_cast<int64_t>(width) + 3) & ~int64_t{3};
}

// Bytes of span x height pixels plus `extra`, or 0 when that is not a size
// this process could allocate or the span does not fit an int.
inline size_t PixelBytes(int64_t span, int height, size_t extra)
{
    if (span <= 0 || height <= 0 || span > std::numeric_limits<int>::max())
        return 0;
    const uint64_t bytes = static_cast<uint64_t>(span) * static_cast<uint64_t>(height) * 4u;
    const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<ptrdiff_t>::max()) / 2;
    if (static_cast<uint64_t>(span) > limit / 4 ||
        bytes / 4 / static_cast<uint64_t>(height) != static_cast<uint64_t>(span) || bytes > limit - extra)
        return 0;
    return static_cast<size_t>(bytes + extra);
}

}  // namespace orv::editor
