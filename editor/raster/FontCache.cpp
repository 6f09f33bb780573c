// The process-wide font cache: one RasterCachedFont per distinct look.
#include "editor/raster/TextStyle.h"

#include "editor/raster/FontFace.h"
#include "editor/raster/RasterCachedFont.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace orv::editor {

namespace {

// What makes two styles share a font. The quality is part of it: styles that
// differ only in antialiasing must not get each other's glyphs.
struct FontKey {
    int height;
    int orientation;
    int style;
    int quality;
    std::string face;

    bool operator==(const FontKey&) const = default;
};

FontKey KeyOf(const TextStyle& style)
{
    return FontKey{style.height, style.orientation, style.style, style.quality,
                   std::string(style.face, strnlen(style.face, sizeof(style.face)))};
}

// Lives until the library is unloaded; its destructor deletes the fonts.
struct FontCacheTable {
    std::mutex lock;
    std::vector<std::pair<FontKey, std::unique_ptr<RasterCachedFont>>> fonts;
};

FontCacheTable& Table()
{
    static FontCacheTable table;
    return table;
}

}  // namespace

RasterCachedFont* FontForStyle(TextStyle& style)
{
    FontCacheTable& table = Table();
    const FontKey key = KeyOf(style);
    std::lock_guard<std::mutex> guard(table.lock);
    for (const auto& [cachedKey, font] : table.fonts) {
        if (cachedKey == key) {
            style.font = font.get();
            return font.get();
        }
    }
    std::unique_ptr<FontFace> face = FontFace::Create(style);
    if (face == nullptr)
        return nullptr;
    auto font = std::make_unique<RasterCachedFont>();
    font->SetSystemFont(std::move(face), kFontNativeDrawing);
    style.font = font.get();
    table.fonts.emplace_back(key, std::move(font));
    return style.font;
}

}  // namespace orv::editor
