// How a control's text looks, and drawing text in that look.
#pragma once

#include "editor/raster/RasterBitmap.h"
#include "editor/raster/RasterRect.h"

#include <cstdint>
#include <string_view>

namespace orv::editor {

class RasterCachedFont;

constexpr int kTextFaceSize = 32;  // bytes, with the terminating zero

enum TextWeightStyle : int { kTextNormal = 0, kTextBold = 1, kTextItalic = 2 };
enum TextAlignment : int { kTextAlignNear = 0, kTextAlignCentre = 1, kTextAlignFar = 2 };
enum TextQuality : int {
    kTextQualityDefault = 0,
    kTextQualityNonAntialiased = 1,
    kTextQualityAntialiased = 2,
    kTextQualityClearType = 3
};

struct TextStyle {
    char face[kTextFaceSize] = "Verdana";
    int height = 12;                        // pixels: the font's line height
    uint32_t colour = 0xff000000;           // 0xAARRGGBB
    uint32_t entryBackground = 0xffffffff;  // in-place text entry
    uint32_t entryForeground = 0xff000000;
    int style = kTextNormal;
    int alignment = kTextAlignCentre;
    int orientation = 0;  // degrees counter-clockwise
    int quality = kTextQualityDefault;
    // Filled on first use from the process-wide font cache; never owned.
    RasterCachedFont* font = nullptr;
};

// Draws UTF-8 text in the style into `bitmap`, top-aligned in `rect` and
// placed left, centred or right as the style says, not clipped to `rect`
// (only to the bitmap). With `measure` nothing is drawn and `bitmap` may be
// null: `rect` becomes the text's extent instead (near: left kept; centre:
// around the old centre; far: right kept; bottom = top + text height).
// Empty text draws nothing and succeeds. False when no font can be made for
// the style, or there is no bitmap to draw into.
bool DrawStyledText(RasterBitmap* bitmap, TextStyle& style, std::string_view text, RasterRect& rect, bool measure);

// The process-wide font for a style (also stored in style.font); null when
// the system has no font for it. Fonts live until the library is unloaded.
RasterCachedFont* FontForStyle(TextStyle& style);

}  // namespace orv::editor
