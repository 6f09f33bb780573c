// The per-pixel formulas of the blend modes (described in Blit.h), and the
// loop that applies one of them to an area. Blits, fills and glyphs all
// blend through here, so each formula exists once.
#pragma once

#include "editor/raster/Blit.h"
#include "editor/raster/RasterBitmap.h"

#include <algorithm>
#include <cstdint>

namespace orv::editor {

// An area of a destination bitmap, already clipped to it.
struct RasterArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

constexpr int kFullWeight = 256;  // the weight factor of weight 1.0

// trunc(weight * 256) within 0..256; NaN counts as 0.
inline int WeightFactor(float weight)
{
    if (!(weight > 0.0f))
        return 0;
    if (weight >= 1.0f)
        return kFullWeight;
    return static_cast<int>(weight * kFullWeight);
}

namespace pixel_blend {

constexpr uint32_t kLowSevenBits = 0x7f7f7f7f;

inline int Channel(uint32_t pixel, int shift)
{
    return static_cast<int>((pixel >> shift) & 0xff);
}

// floor((s + d) / 2) in every byte at once, without carries between bytes.
inline uint32_t Average(uint32_t s, uint32_t d)
{
    return (s & d) + (((s ^ d) >> 1) & kLowSevenBits);
}

// Plain copy: d := (s * f + d * (256 - f)) >> 8 in every byte.
inline uint32_t CopyBytes(uint32_t d, uint32_t s, int f)
{
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int mixed = (Channel(s, shift) * f + Channel(d, shift) * (kFullWeight - f)) >> 8;
        result |= static_cast<uint32_t>(mixed) << shift;
    }
    return result;
}

// Colour channel formulas of the alpha modes; a is 1..255.
struct CopyChannel {
    // At a = 255 the result is the source itself.
    static constexpr bool kOpaqueGivesSource = true;
    static int Mix(int d, int s, int a)
    {
        return s + (d - s) * (255 - a) / 256;  // integer division truncates toward zero
    }
};

struct AddChannel {
    static constexpr bool kOpaqueGivesSource = false;
    static int Mix(int d, int s, int a) { return std::min(255, d + s * a / 255); }
};

struct DodgeChannel {
    static constexpr bool kOpaqueGivesSource = false;
    static int Mix(int d, int s, int a)
    {
        const int dodged = s == 255 ? 255 : std::min(255, d * 255 / (255 - s));
        return d + (dodged - d) * a / 255;
    }
};

// The alpha modes: a is the source alpha (or 255) scaled by the weight; the
// destination alpha grows by a.
template <class ChannelFormula>
struct AlphaBlend {
    bool useSourceAlpha;
    int factor;

    uint32_t operator()(uint32_t d, uint32_t s) const
    {
        const int a = ((useSourceAlpha ? Channel(s, 24) : 255) * factor) >> 8;
        if (a == 0)
            return d;
        // Skin images are mostly opaque: take the short way to the same result.
        if constexpr (ChannelFormula::kOpaqueGivesSource) {
            if (a == 255)
                return s | 0xff000000u;
        }
        uint32_t result = static_cast<uint32_t>(std::min(255, Channel(d, 24) + a)) << 24;
        for (int shift = 0; shift < 24; shift += 8)
            result |= static_cast<uint32_t>(ChannelFormula::Mix(Channel(d, shift), Channel(s, shift), a)) << shift;
        return result;
    }
};

template <class Source, class Formula>
void ForEachPixel(RasterBitmap& dest, const RasterArea& area, const Source& source, const Formula& formula)
{
    for (int row = 0; row < area.height; ++row) {
        uint32_t* d = dest.Row(area.y + row) + area.x;
        for (int column = 0; column < area.width; ++column)
            d[column] = formula(d[column], source(row, column));
    }
}

}  // namespace pixel_blend

// Blends source(row, column) (area-relative) into the area with a mode word
// and weight factor. The quarter weights of plain copy take shift-and-mask
// averages, which equal the general formula bit for bit.
template <class Source>
void BlendArea(RasterBitmap& dest, const RasterArea& area, const Source& source, uint32_t mode, int factor)
{
    using namespace pixel_blend;
    if (factor <= 0 || area.width <= 0 || area.height <= 0)
        return;
    const bool useSourceAlpha = (mode & kRasterUseAlpha) != 0;
    switch (mode & kRasterOperationMask) {
    case kRasterOpCopy:
        if (useSourceAlpha) {
            ForEachPixel(dest, area, source, AlphaBlend<CopyChannel>{true, factor});
            return;
        }
        switch (factor) {
        case kFullWeight:
            ForEachPixel(dest, area, source, [](uint32_t, uint32_t s) { return s; });
            return;
        case kFullWeight / 2:
            ForEachPixel(dest, area, source, [](uint32_t d, uint32_t s) { return Average(s, d); });
            return;
        case kFullWeight / 4:
            ForEachPixel(dest, area, source, [](uint32_t d, uint32_t s) { return Average(Average(s, d), d); });
            return;
        case kFullWeight * 3 / 4:
            ForEachPixel(dest, area, source, [](uint32_t d, uint32_t s) { return Average(Average(s, d), s); });
            return;
        default:
            ForEachPixel(dest, area, source, [factor](uint32_t d, uint32_t s) { return CopyBytes(d, s, factor); });
            return;
        }
    case kRasterOpAdd:
        ForEachPixel(dest, area, source, AlphaBlend<AddChannel>{useSourceAlpha, factor});
        return;
    case kRasterOpDodge:
        ForEachPixel(dest, area, source, AlphaBlend<DodgeChannel>{useSourceAlpha, factor});
        return;
    default:
        return;  // multiply, overlay, hue/saturation/value: not provided
    }
}

}  // namespace orv::editor
