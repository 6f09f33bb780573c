// A font that renders each glyph once, as an 8-bit coverage mask, and then
// draws text by blending the masks into a bitmap in the text colour.
//
// On Windows the font can also hand text to GDI (DrawTextW): opaque colours
// into a bitmap with a device context, outside Wine, with no effects, and any
// text too tall for the glyph cache. Everything else, and all text on other
// systems, takes the cached glyphs.
#pragma once

#include "editor/raster/FontFace.h"
#include "editor/raster/RasterBitmap.h"
#include "editor/raster/RasterRect.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orv::editor {

// Font flags.
constexpr uint32_t kFontNativeDrawing = 0x400;  // may draw with the system's text output
constexpr uint32_t kFontEffectMask = 0x1f7;     // effects only the glyph path can draw

// Text drawing flags (the Windows DT_* values, so they pass through to GDI).
constexpr uint32_t kTextLeft = 0x0;
constexpr uint32_t kTextCentre = 0x1;
constexpr uint32_t kTextRight = 0x2;
constexpr uint32_t kTextHorizontalMask = 0x3;
constexpr uint32_t kTextNoClip = 0x100;
constexpr uint32_t kTextMeasure = 0x400;  // DT_CALCRECT: set the rectangle, draw nothing
constexpr uint32_t kTextNoPrefix = 0x800;
// Text alpha scales the glyph coverage (the text colour is not opaque).
constexpr uint32_t kTextUseForegroundAlpha = 0x40000000;

constexpr int kBackgroundTransparent = 1;  // as TRANSPARENT / OPAQUE in GDI
constexpr int kBackgroundOpaque = 2;

class RasterCachedFont {
public:
    RasterCachedFont() = default;
    virtual ~RasterCachedFont();
    RasterCachedFont(const RasterCachedFont&) = delete;
    RasterCachedFont& operator=(const RasterCachedFont&) = delete;

    // Takes the face, forgets every glyph of the previous one.
    virtual void SetSystemFont(std::unique_ptr<FontFace> face, uint32_t flags);
    // Each returns the previous value.
    virtual uint32_t SetTextColour(uint32_t colour);
    virtual uint32_t SetBackgroundColour(uint32_t colour);
    virtual uint32_t SetEffectColour(uint32_t colour);
    virtual int SetBackgroundMode(int mode);
    // How glyphs are blended (a Blit mode word and weight); copy with alpha
    // at full weight unless set.
    virtual void SetCombineMode(uint32_t mode, float weight);
    // Draws UTF-8 text (length in bytes, or -1 up to a zero byte) in `rect`.
    // With kTextMeasure, sets `rect` to the text's extent instead (the left
    // and top kept). Lines break at "\n", "\r\n" and "\r"; a tab advances
    // to the next stop of eight figure widths.
    virtual bool DrawText(RasterBitmap* dest, const char* text, int length, RasterRect& rect, uint32_t flags);
    virtual uint32_t TextColour() const { return textColour; }
    virtual FontFace* SystemFont() const { return face.get(); }
    virtual int LineHeight() const { return lineHeight; }
    // Draws one glyph with its pen position at (x, y) of the line's top
    // edge, clipped to `clip` and the bitmap; returns the advance.
    virtual int DrawGlyph(RasterBitmap& dest, char32_t codePoint, int x, int y, const RasterRect& clip);

    uint32_t Flags() const { return flags; }

private:
    struct Glyph {
        bool rendered = false;
        int left = 0;   // mask offset from the pen position
        int top = 0;    // mask offset from the line's top edge
        int width = 0;  // mask size
        int height = 0;
        int advance = 0;        // pen movement
        size_t maskOffset = 0;  // into masks
    };

    const Glyph& GlyphFor(char32_t codePoint);
    int LineWidth(std::string_view line);  // at most the layout limit
    int TabAdvance(int64_t pen);           // to the next tab stop from pen
    bool UseNativeDrawing(const RasterBitmap* dest, uint32_t drawFlags) const;

    uint32_t flags = 0;
    uint32_t textColour = 0xff000000;
    uint32_t backgroundColour = 0xffffffff;
    uint32_t effectColour = 0xff000000;
    int backgroundMode = kBackgroundTransparent;
    uint32_t combineMode = 0x10000;  // copy with alpha
    float combineWeight = 1.0f;
    uint32_t glyphAlpha = 255;  // text alpha applied to coverage while drawing
    int lineHeight = 0;
    std::unique_ptr<FontFace> face;

    // Glyphs of code points below 256 by index, the rest by code point; all
    // masks share one byte heap.
    std::array<Glyph, 256> lowGlyphs{};
    std::unordered_map<char32_t, Glyph> highGlyphs;
    std::vector<uint8_t> masks;
};

}  // namespace orv::editor
