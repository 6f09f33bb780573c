// Text on Linux, where FreeType draws every glyph: what a face lacks is left
// out, not drawn as its box.
#include "editor/raster/RasterMemBitmap.h"
#include "editor/raster/TextStyle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orv::editor;

TEST(TextPosix, CharactersTheFaceLacksDrawNothing)
{
    TextStyle style;
    style.height = 13;
    style.alignment = kTextAlignNear;
    const auto draw = [&style](const std::string& text) {
        RasterMemBitmap bitmap(80, 20);
        RasterRect rect{2, 2, 78, 18};
        EXPECT_TRUE(DrawStyledText(&bitmap, style, text, rect, false));
        std::vector<uint32_t> pixels;
        for (int y = 0; y < bitmap.Height(); ++y)
            pixels.insert(pixels.end(), bitmap.Row(y), bitmap.Row(y) + bitmap.Width());
        return pixels;
    };
    // U+10FFFD, a private-use code point no face draws.
    EXPECT_EQ(draw("A\xf4\x8f\xbf\xbd"
                   "B"),
              draw("AB"));
}
