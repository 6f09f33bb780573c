// Windows: GDI fonts. Glyph masks are drawn white on black with the font into
// a scratch DIB shared by all fonts; text may also go straight to DrawTextW.
#include "editor/raster/FontFace.h"

#include "editor/raster/RasterSysBitmap.h"
#include "editor/raster/TextStyle.h"
#include "editor/raster/Utf8.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace orv::editor {

namespace {

constexpr int kBoldWeight = 700;
constexpr int kNormalWeight = 400;
constexpr int kScratchMinimum = 256;  // pixels each way
constexpr int kTenthsPerDegree = 10;
constexpr int kDegreesPerTurn = 360;
// Heights beyond this would only make huge glyph cells.
constexpr int kLargestHeight = 1024;

// The scratch bitmap glyphs are drawn into: made with the first font,
// deleted with the last; one glyph at a time, from any thread.
struct GlyphScratch {
    std::mutex lock;
    int users = 0;
    std::unique_ptr<RasterSysBitmap> bitmap;
};

// Never destroyed itself: fonts in the font cache may be deleted after
// every other static object of the library is gone.
GlyphScratch& Scratch()
{
    static GlyphScratch* const scratch = new GlyphScratch;
    return *scratch;
}

BYTE QualityOf(int quality)
{
    switch (quality) {
    case kTextQualityNonAntialiased:
        return NONANTIALIASED_QUALITY;
    case kTextQualityAntialiased:
        return ANTIALIASED_QUALITY;
    case kTextQualityClearType:
        return CLEARTYPE_QUALITY;
    default:
        return DEFAULT_QUALITY;
    }
}

COLORREF ColourRef(uint32_t colour)
{
    return RGB((colour >> 16) & 0xff, (colour >> 8) & 0xff, colour & 0xff);
}

class GdiFontFace : public FontFace {
public:
    explicit GdiFontFace(HFONT font) : font(font)
    {
        GlyphScratch& scratch = Scratch();
        std::lock_guard<std::mutex> guard(scratch.lock);
        if (scratch.users++ == 0)
            scratch.bitmap = std::make_unique<RasterSysBitmap>(kScratchMinimum, kScratchMinimum);
        lineHeight = MeasureLineHeight(*scratch.bitmap);
    }

    ~GdiFontFace() override
    {
        {
            GlyphScratch& scratch = Scratch();
            std::lock_guard<std::mutex> guard(scratch.lock);
            if (--scratch.users == 0)
                scratch.bitmap.reset();
        }
        DeleteObject(font);
    }

    int LineHeight() const override { return lineHeight; }

    bool RenderGlyph(char32_t codePoint, GlyphImage& glyph) override
    {
        char16_t utf16[2];
        const int unitCount = ToUtf16(codePoint, utf16);
        const auto* units = reinterpret_cast<const wchar_t*>(utf16);  // UTF-16 on Windows
        GlyphScratch& scratch = Scratch();
        std::lock_guard<std::mutex> guard(scratch.lock);
        HDC dc = static_cast<HDC>(scratch.bitmap->DC());
        if (dc == nullptr)
            return false;
        HGDIOBJ previous = SelectObject(dc, font);
        SIZE extent{};
        GetTextExtentPoint32W(dc, units, unitCount, &extent);
        // Room for overhangs (italics) on either side of the advance.
        const int pad = lineHeight / 2 + 2;
        const int cellWidth = extent.cx + 2 * pad;
        const int cellHeight = std::max<int>(lineHeight, extent.cy);
        if (cellWidth > scratch.bitmap->Width() || cellHeight > scratch.bitmap->Height()) {
            SelectObject(dc, previous);
            scratch.bitmap->Resize(std::max(cellWidth, scratch.bitmap->Width()),
                                   std::max(cellHeight, scratch.bitmap->Height()));
            dc = static_cast<HDC>(scratch.bitmap->DC());
            if (dc == nullptr || scratch.bitmap->Width() < cellWidth)
                return false;
            previous = SelectObject(dc, font);
        }
        RECT cell{0, 0, cellWidth, cellHeight};
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, RGB(0, 0, 0));
        SetTextColor(dc, RGB(255, 255, 255));
        ExtTextOutW(dc, pad, 0, ETO_OPAQUE, &cell, units, static_cast<UINT>(unitCount), nullptr);
        GdiFlush();
        SelectObject(dc, previous);
        CopyCoverage(*scratch.bitmap, cellWidth, cellHeight, pad, glyph);
        glyph.advance = extent.cx;
        return true;
    }

    bool DrawNative(RasterBitmap& dest, std::u16string_view text, RasterRect& rect, uint32_t flags, uint32_t colour,
                    int backgroundMode, uint32_t backgroundColour) override
    {
        HDC dc = static_cast<HDC>(dest.DC());
        if (dc == nullptr)
            return false;
        HGDIOBJ previous = SelectObject(dc, font);
        SetTextColor(dc, ColourRef(colour));
        SetBkMode(dc, backgroundMode);
        SetBkColor(dc, ColourRef(backgroundColour));
        RECT box{rect.left, rect.top, rect.right, rect.bottom};
        const int drawn =
            DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &box, flags);
        GdiFlush();
        SelectObject(dc, previous);
        return drawn != 0 || text.empty();
    }

private:
    int MeasureLineHeight(RasterSysBitmap& scratch)
    {
        HDC dc = static_cast<HDC>(scratch.DC());
        if (dc == nullptr)
            return 0;
        HGDIOBJ previous = SelectObject(dc, font);
        TEXTMETRICW metrics{};
        const bool measured = GetTextMetricsW(dc, &metrics) != 0;
        SelectObject(dc, previous);
        return measured ? static_cast<int>(metrics.tmHeight) : 0;
    }

    // Coverage from the white-on-black cell (the brightest channel, so
    // ClearType's coloured fringes count too), trimmed to the inked box.
    static void CopyCoverage(const RasterSysBitmap& cell, int width, int height, int pad, GlyphImage& glyph)
    {
        const auto coverageAt = [&cell](int x, int y) {
            const uint32_t pixel = cell.Row(y)[x];
            return static_cast<uint8_t>(std::max({(pixel >> 16) & 0xff, (pixel >> 8) & 0xff, pixel & 0xff}));
        };
        int left = width, top = height, right = 0, bottom = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (coverageAt(x, y) != 0) {
                    left = std::min(left, x);
                    right = std::max(right, x + 1);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y + 1);
                }
            }
        }
        if (right <= left || bottom <= top)
            return;  // a blank glyph such as the space
        glyph.left = left - pad;
        glyph.top = top;
        glyph.width = right - left;
        glyph.height = bottom - top;
        glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.height);
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                glyph.coverage[static_cast<size_t>(y - top) * glyph.width + (x - left)] = coverageAt(x, y);
    }

    HFONT font;
    int lineHeight = 0;
};

}  // namespace

std::unique_ptr<FontFace> FontFace::Create(const TextStyle& style)
{
    char face[kTextFaceSize];
    lstrcpynA(face, style.face, kTextFaceSize);  // always terminated
    const int angle = style.orientation % kDegreesPerTurn * kTenthsPerDegree;
    const int height = std::clamp(style.height, -kLargestHeight, kLargestHeight);
    HFONT font = CreateFontA(height, 0, angle, angle, style.style == kTextBold ? kBoldWeight : kNormalWeight,
                             style.style == kTextItalic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, QualityOf(style.quality), DEFAULT_PITCH, face);
    if (font == nullptr)
        return nullptr;
    auto gdiFace = std::make_unique<GdiFontFace>(font);
    if (gdiFace->LineHeight() <= 0)
        return nullptr;
    return gdiFace;
}

bool RunningUnderWine()
{
    static const bool underWine = [] {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Wine", 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }();
    return underWine;
}

}  // namespace orv::editor
