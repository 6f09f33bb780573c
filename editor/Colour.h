// A colour as four channels of 0..255.
#pragma once

#include <cstdint>

namespace orv::editor {

struct Colour {
    int alpha = 255;
    int red = 0;
    int green = 0;
    int blue = 0;

    // 0xAARRGGBB, each channel limited to 0..255.
    uint32_t Packed() const
    {
        auto channel = [](int v) { return static_cast<uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
        return channel(alpha) << 24 | channel(red) << 16 | channel(green) << 8 | channel(blue);
    }
};

}  // namespace orv::editor
