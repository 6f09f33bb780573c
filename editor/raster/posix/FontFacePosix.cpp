// Linux: faces found with fontconfig (which maps "Arial" to the metric-
// compatible Liberation Sans and "Verdana" to DejaVu Sans), glyph masks
// rendered with FreeType.
#include "editor/raster/FontFace.h"

#include "editor/raster/TextStyle.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace orv::editor {

namespace {

// A style height of 0 asks for the system's default size.
constexpr int kDefaultCellHeight = 16;
// Heights beyond this would only make huge glyph masks.
constexpr int kLargestCellHeight = 1024;

constexpr long kFixedOne = 64;  // 26.6 fixed point

// fontconfig keeps its configuration for the life of the process once we
// have made it load one, and freeing it would pull it from under anything
// else in the host that uses fontconfig. So the library stays loaded after
// the plug-in is unloaded, with its state, instead of vanishing beneath it.
void KeepFontconfigLoaded()
{
    static const bool kept = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE) != nullptr;
    (void)kept;
}

// The file and face index fontconfig picks for a style; false when none.
bool MatchFontFile(const TextStyle& style, std::string& file, int& index)
{
    KeepFontconfigLoaded();
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr)
        return false;
    const std::string family(style.face, strnlen(style.face, sizeof(style.face)));
    if (!family.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, style.style == kTextBold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, style.style == kTextItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr)
        return false;
    FcChar8* path = nullptr;
    const bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr;
    if (found)
        file = reinterpret_cast<const char*>(path);
    index = 0;
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternDestroy(match);
    return found;
}

class FreeTypeFontFace : public FontFace {
public:
    ~FreeTypeFontFace() override
    {
        if (face != nullptr)
            FT_Done_Face(face);
        if (library != nullptr)
            FT_Done_FreeType(library);
    }

    // A positive height is the cell height (ascent + descent), as in GDI; a
    // negative one the em size.
    bool Open(const TextStyle& style)
    {
        std::string file;
        int index = 0;
        // Each face has its own FreeType library: faces are then independent
        // of each other, whichever threads use them.
        if (!MatchFontFile(style, file, index) || FT_Init_FreeType(&library) != 0 ||
            FT_New_Face(library, file.c_str(), index, &face) != 0 || !FT_IS_SCALABLE(face))
            return false;
        long cellUnits = face->ascender - face->descender;
        long ascentUnits = face->ascender;
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
            cellUnits = os2->usWinAscent + os2->usWinDescent;
            ascentUnits = os2->usWinAscent;
        }
        if (cellUnits <= 0 || face->units_per_EM == 0)
            return false;
        long emSize = 0;  // 26.6 pixels
        if (style.height >= 0) {
            cellHeight = style.height == 0 ? kDefaultCellHeight : std::min(style.height, kLargestCellHeight);
            emSize = cellHeight * kFixedOne * face->units_per_EM / cellUnits;
        } else {
            const int em = static_cast<int>(std::min<int64_t>(-int64_t{style.height}, kLargestCellHeight));
            emSize = em * kFixedOne;
            cellHeight = static_cast<int>(std::lround(static_cast<double>(em) * cellUnits / face->units_per_EM));
        }
        ascent = static_cast<int>(std::lround(static_cast<double>(cellHeight) * ascentUnits / cellUnits));
        monochrome = style.quality == kTextQualityNonAntialiased;
        return FT_Set_Char_Size(face, 0, std::max(emSize, 1L), 72, 72) == 0;  // 72 dpi: points are pixels
    }

    int LineHeight() const override { return cellHeight; }

    bool RenderGlyph(char32_t codePoint, GlyphImage& glyph) override
    {
        // A character the face lacks would come out as its .notdef glyph
        // (index 0), a box: it is left out instead.
        const FT_UInt index = FT_Get_Char_Index(face, codePoint);
        if (index == 0)
            return false;
        const FT_Int32 loadFlags = FT_LOAD_RENDER | (monochrome ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
        if (FT_Load_Glyph(face, index, loadFlags) != 0)
            return false;
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph.advance = static_cast<int>((slot->advance.x + kFixedOne / 2) / kFixedOne);
        glyph.left = slot->bitmap_left;
        glyph.top = ascent - slot->bitmap_top;
        glyph.width = static_cast<int>(bitmap.width);
        glyph.height = static_cast<int>(bitmap.rows);
        const bool grey = bitmap.pixel_mode == FT_PIXEL_MODE_GRAY;
        if (bitmap.buffer == nullptr || (!grey && bitmap.pixel_mode != FT_PIXEL_MODE_MONO)) {
            glyph.width = glyph.height = 0;
            return true;
        }
        glyph.coverage.resize(static_cast<size_t>(bitmap.width) * bitmap.rows);
        const unsigned pitch = static_cast<unsigned>(std::abs(bitmap.pitch));
        for (unsigned y = 0; y < bitmap.rows; ++y) {
            // A negative pitch stores the bottom row first.
            const unsigned char* row = bitmap.buffer + (bitmap.pitch >= 0 ? y : bitmap.rows - 1 - y) * pitch;
            uint8_t* out = glyph.coverage.data() + static_cast<size_t>(y) * bitmap.width;
            for (unsigned x = 0; x < bitmap.width; ++x)
                out[x] = grey ? row[x] : ((row[x >> 3] >> (7 - (x & 7))) & 1) != 0 ? 255 : 0;
        }
        return true;
    }

private:
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    int cellHeight = 0;
    int ascent = 0;
    bool monochrome = false;
};

}  // namespace

std::unique_ptr<FontFace> FontFace::Create(const TextStyle& style)
{
    auto face = std::make_unique<FreeTypeFontFace>();
    if (!face->Open(style))
        return nullptr;
    return face;
}

bool RunningUnderWine()
{
    return false;
}

}  // namespace orv::editor
