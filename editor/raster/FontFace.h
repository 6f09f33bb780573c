// The system's side of a font: faces and glyph masks from FreeType and
// fontconfig on Linux, from GDI on Windows (posix/ and windows/).
#pragma once

#include "editor/raster/RasterBitmap.h"
#include "editor/raster/RasterRect.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace orv::editor {

struct TextStyle;

// One rendered glyph: its coverage (0 none .. 255 full), one byte per pixel,
// `width` bytes a row, placed relative to the pen position on the line's top
// edge.
struct GlyphImage {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int advance = 0;
    std::vector<uint8_t> coverage;
};

class FontFace {
public:
    // The face for a style's face name, height, weight/slant and quality;
    // null when the system has none.
    static std::unique_ptr<FontFace> Create(const TextStyle& style);

    virtual ~FontFace() = default;
    // Distance between lines in pixels (tmHeight on Windows).
    virtual int LineHeight() const = 0;
    // False when the system cannot render the code point at all or the face
    // lacks it (an empty glyph with an advance is a success).
    virtual bool RenderGlyph(char32_t codePoint, GlyphImage& glyph) = 0;
    // Draws text with the system's own text output into a bitmap that has a
    // device context; false when this system has no such output.
    virtual bool DrawNative(RasterBitmap& /*dest*/, std::u16string_view /*text*/, RasterRect& /*rect*/,
                            uint32_t /*flags*/, uint32_t /*colour*/, int /*backgroundMode*/,
                            uint32_t /*backgroundColour*/)
    {
        return false;
    }
};

// True when the process runs under Wine (decided once per process); always
// false outside Windows.
bool RunningUnderWine();

}  // namespace orv::editor
