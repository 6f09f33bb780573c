#include "editor/raster/TextStyle.h"

#include "editor/raster/RasterCachedFont.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace orv::editor {

namespace {

constexpr uint32_t kOpaque = 0xff;

uint32_t AlignmentFlag(int alignment)
{
    switch (alignment) {
    case kTextAlignCentre:
        return kTextCentre;
    case kTextAlignFar:
        return kTextRight;
    default:
        return kTextLeft;
    }
}

// Extents of absurd rectangles saturate instead of wrapping around.
int Saturate(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

}  // namespace

bool DrawStyledText(RasterBitmap* bitmap, TextStyle& style, std::string_view text, RasterRect& rect, bool measure)
{
    if (text.empty())
        return true;
    if (!measure && bitmap == nullptr)
        return false;
    RasterCachedFont* font = FontForStyle(style);
    if (font == nullptr)
        return false;
    font->SetTextColour(style.colour);
    uint32_t flags = kTextNoClip | AlignmentFlag(style.alignment);
    if ((style.colour >> 24) != kOpaque)
        flags |= kTextUseForegroundAlpha;
    const int length = text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size());
    if (!measure)
        return font->DrawText(bitmap, text.data(), length, rect, flags);

    RasterRect extent{rect.left, rect.top, rect.left, rect.top};
    if (!font->DrawText(nullptr, text.data(), length, extent, flags | kTextMeasure))
        return false;
    const int64_t width = int64_t{extent.right} - extent.left;
    switch (style.alignment) {
    case kTextAlignFar:
        rect.left = Saturate(rect.right - width);
        break;
    case kTextAlignCentre:
        rect.left = Saturate((int64_t{rect.left} + rect.right) / 2 - width / 2);
        rect.right = Saturate(rect.left + width);
        break;
    default:
        rect.right = Saturate(rect.left + width);
        break;
    }
    rect.bottom = Saturate(int64_t{rect.top} + (int64_t{extent.bottom} - extent.top));
    return true;
}

}  // namespace orv::editor
