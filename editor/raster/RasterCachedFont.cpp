#include "editor/raster/RasterCachedFont.h"

#include "editor/raster/Blit.h"
#include "editor/raster/PixelBlend.h"
#include "editor/raster/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

namespace orv::editor {

namespace {

// Glyph masks beyond this line height are not worth caching; such fonts use
// the system's text output where there is one.
constexpr int kLargestCachedLineHeight = 255;

// Layout positions stay far from the ends of int, whatever the rectangle.
constexpr int kLayoutLimit = 1 << 24;

// A tab moves the pen to the next multiple of eight character widths from
// the line's start, as Windows expands tabs; the figure width stands in for
// the average character width.
constexpr char32_t kTab = U'\t';
constexpr int kTabStopCharacters = 8;
constexpr char32_t kTabStopCharacter = U'0';

// C0 and C1 controls and DEL.
constexpr char32_t kFirstPrintable = U' ';
constexpr char32_t kDelete = 0x7f;
constexpr char32_t kLastC1Control = 0x9f;

bool IsControlCharacter(char32_t codePoint)
{
    return codePoint < kFirstPrintable || (codePoint >= kDelete && codePoint <= kLastC1Control);
}

RasterRect ClampForLayout(const RasterRect& rect)
{
    const auto clamp = [](int value) { return std::clamp(value, -kLayoutLimit, kLayoutLimit); };
    return RasterRect{clamp(rect.left), clamp(rect.top), clamp(rect.right), clamp(rect.bottom)};
}

// Splits text at "\n", "\r\n" and "\r" and calls lineAction(line, index).
template <class LineAction>
int ForEachLine(std::string_view text, const LineAction& lineAction)
{
    int index = 0;
    size_t start = 0;
    while (true) {
        const size_t end = text.find_first_of("\r\n", start);
        lineAction(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start), index);
        ++index;
        if (end == std::string_view::npos)
            return index;
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
}

std::u16string Utf16Of(std::string_view text)
{
    std::u16string wide;
    size_t position = 0;
    while (position < text.size()) {
        char16_t units[2];
        wide.append(units, static_cast<size_t>(ToUtf16(NextCodePoint(text, position), units)));
    }
    return wide;
}

}  // namespace

RasterCachedFont::~RasterCachedFont() = default;

void RasterCachedFont::SetSystemFont(std::unique_ptr<FontFace> newFace, uint32_t newFlags)
{
    face = std::move(newFace);
    flags = newFlags;
    lineHeight = face != nullptr ? face->LineHeight() : 0;
    lowGlyphs.fill(Glyph{});
    highGlyphs.clear();
    masks.clear();
}

uint32_t RasterCachedFont::SetTextColour(uint32_t colour)
{
    return std::exchange(textColour, colour);
}

uint32_t RasterCachedFont::SetBackgroundColour(uint32_t colour)
{
    return std::exchange(backgroundColour, colour);
}

uint32_t RasterCachedFont::SetEffectColour(uint32_t colour)
{
    return std::exchange(effectColour, colour);
}

int RasterCachedFont::SetBackgroundMode(int mode)
{
    return std::exchange(backgroundMode, mode);
}

void RasterCachedFont::SetCombineMode(uint32_t mode, float weight)
{
    combineMode = mode;
    combineWeight = weight;
}

const RasterCachedFont::Glyph& RasterCachedFont::GlyphFor(char32_t codePoint)
{
    Glyph& glyph = codePoint < lowGlyphs.size() ? lowGlyphs[codePoint] : highGlyphs[codePoint];
    if (glyph.rendered)
        return glyph;
    glyph.rendered = true;
    GlyphImage image;
    // Control characters have no picture: fonts would draw them as boxes.
    if (face == nullptr || IsControlCharacter(codePoint) || !face->RenderGlyph(codePoint, image))
        return glyph;  // draws nothing and does not move the pen
    glyph.advance = image.advance;
    const size_t maskSize =
        static_cast<size_t>(std::max(image.width, 0)) * static_cast<size_t>(std::max(image.height, 0));
    if (maskSize == 0 || image.coverage.size() != maskSize)
        return glyph;
    glyph.left = image.left;
    glyph.top = image.top;
    glyph.width = image.width;
    glyph.height = image.height;
    glyph.maskOffset = masks.size();
    masks.insert(masks.end(), image.coverage.begin(), image.coverage.end());
    return glyph;
}

int RasterCachedFont::DrawGlyph(RasterBitmap& dest, char32_t codePoint, int x, int y, const RasterRect& clip)
{
    const Glyph& glyph = GlyphFor(codePoint);
    if (glyph.width == 0 || dest.Empty())
        return glyph.advance;
    const int64_t glyphLeft = int64_t{x} + glyph.left, glyphTop = int64_t{y} + glyph.top;
    const int64_t left = std::max<int64_t>({glyphLeft, clip.left, 0});
    const int64_t top = std::max<int64_t>({glyphTop, clip.top, 0});
    const int64_t right = std::min<int64_t>({glyphLeft + glyph.width, clip.right, dest.Width()});
    const int64_t bottom = std::min<int64_t>({glyphTop + glyph.height, clip.bottom, dest.Height()});
    if (right <= left || bottom <= top)
        return glyph.advance;
    const RasterArea area{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                          static_cast<int>(bottom - top)};
    const uint8_t* mask = masks.data() + glyph.maskOffset + (top - glyphTop) * glyph.width + (left - glyphLeft);
    const int maskSpan = glyph.width;
    const uint32_t colour = textColour & 0x00ffffff;
    const uint32_t alpha = glyphAlpha;
    BlendArea(
        dest, area,
        [mask, maskSpan, colour, alpha](int row, int column) {
            const uint32_t coverage = mask[row * maskSpan + column];
            return colour | ((coverage * alpha + 127) / 255) << 24;
        },
        combineMode, WeightFactor(combineWeight));
    return glyph.advance;
}

int RasterCachedFont::TabAdvance(int64_t pen)
{
    const int64_t stop = std::max(1, kTabStopCharacters * GlyphFor(kTabStopCharacter).advance);
    return static_cast<int>(stop - pen % stop);
}

int RasterCachedFont::LineWidth(std::string_view line)
{
    int64_t width = 0;
    size_t position = 0;
    while (position < line.size() && width < kLayoutLimit) {
        const char32_t codePoint = NextCodePoint(line, position);
        width += codePoint == kTab ? TabAdvance(width) : GlyphFor(codePoint).advance;
    }
    return static_cast<int>(std::min<int64_t>(width, kLayoutLimit));
}

bool RasterCachedFont::UseNativeDrawing(const RasterBitmap* dest, uint32_t drawFlags) const
{
    if (dest == nullptr || dest->DC() == nullptr || (drawFlags & kTextMeasure) != 0)
        return false;
    if (lineHeight > kLargestCachedLineHeight)
        return true;
    return (flags & kFontNativeDrawing) != 0 && !RunningUnderWine() && (drawFlags & kTextUseForegroundAlpha) == 0 &&
           (flags & kFontEffectMask) == 0;
}

bool RasterCachedFont::DrawText(RasterBitmap* dest, const char* text, int length, RasterRect& rect, uint32_t drawFlags)
{
    if (face == nullptr)
        return false;
    const std::string_view all = text == nullptr ? std::string_view()
                                 : length < 0    ? std::string_view(text)
                                                 : std::string_view(text, length);
    const bool measure = (drawFlags & kTextMeasure) != 0;
    if (!measure && dest == nullptr)
        return false;
    if (UseNativeDrawing(dest, drawFlags) &&
        face->DrawNative(*dest, Utf16Of(all), rect, (drawFlags & ~kTextUseForegroundAlpha) | kTextNoPrefix, textColour,
                         backgroundMode, backgroundColour))
        return true;

    if (measure) {
        int widest = 0;
        const int lines =
            ForEachLine(all, [&](std::string_view line, int) { widest = std::max(widest, LineWidth(line)); });
        const auto saturated = [](int64_t value) {
            return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
        };
        rect.right = saturated(int64_t{rect.left} + widest);
        rect.bottom = saturated(int64_t{rect.top} + int64_t{lines} * lineHeight);
        return true;
    }
    glyphAlpha = (drawFlags & kTextUseForegroundAlpha) != 0 ? textColour >> 24 : 255;
    const RasterRect box = ClampForLayout(rect);
    const RasterRect clip = (drawFlags & kTextNoClip) != 0 ? RasterRect{0, 0, dest->Width(), dest->Height()} : box;
    ForEachLine(all, [&](std::string_view line, int index) {
        // Lines run downward and glyphs rightward: past the bitmap's bottom
        // or right edge nothing more can show.
        const int64_t lineTop = int64_t{box.top} + int64_t{index} * lineHeight;
        if (lineTop >= dest->Height())
            return;
        const int y = static_cast<int>(lineTop);
        const int width = LineWidth(line);
        int x = box.left;
        if ((drawFlags & kTextHorizontalMask) == kTextCentre)
            x = box.left + (box.Width() - width) / 2;
        else if ((drawFlags & kTextHorizontalMask) == kTextRight)
            x = box.right - width;
        if (backgroundMode == kBackgroundOpaque)
            FillRectangle(*dest, x, y, width, lineHeight, backgroundColour | 0xff000000, 1.0f, kRasterCopy);
        const int lineStart = x;
        size_t position = 0;
        while (position < line.size() && x < dest->Width()) {
            const char32_t codePoint = NextCodePoint(line, position);
            x += codePoint == kTab ? TabAdvance(int64_t{x} - lineStart) : DrawGlyph(*dest, codePoint, x, y, clip);
        }
    });
    return true;
}

}  // namespace orv::editor
