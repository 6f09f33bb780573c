// What the editor window shows on screen is what the panel draws without a
// window: the same instrument built into this program and drawn headless.
#include "EditorFixture.h"

#include "Graphics.h"
#include "ORV.h"
#include "RasterBitmap.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace wintest {
namespace {

constexpr DWORD kFirstPaints = 200;  // the window's first paint and a few timer ticks

// The window's pixels as the screen holds them, 0x00RRGGBB, row by row.
std::vector<uint32_t> Screenshot(HWND window, int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, dib);
    HDC screen = GetDC(window);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    ReleaseDC(window, screen);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> shot(pixels, pixels + static_cast<size_t>(width) * height);
    SelectObject(memory, previous);
    DeleteObject(dib);
    DeleteDC(memory);
    for (uint32_t& pixel : shot)
        pixel &= 0xffffff;
    return shot;
}

TEST(EditorScreenshot, TheWindowShowsThePanelAsDrawnWithoutAWindow)
{
    ORV headless(nullptr);
    Graphics& panel = *headless.EditorGraphics();
    if (panel.ControlCount() == 0)
        GTEST_SKIP() << "the panel has no controls in this build";
    const int width = panel.Width();
    const int height = panel.Height();
    panel.MarkAllDirty();
    panel.Draw({0, 0, width, height});
    const RasterBitmap& drawn = *panel.DrawBitmap();

    EditorInHost shown;
    ASSERT_LOADED(shown.plugin);
    ASSERT_EQ(shown.Open(), 1);
    PumpMessages(kFirstPaints);
    const std::vector<uint32_t> shot = Screenshot(shown.Editor(), width, height);

    int differing = 0;
    int largest = 0;
    bool varied = false;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t expected = drawn.Pixels()[y * drawn.RowSpan() + x] & 0xffffff;
            const uint32_t seen = shot[static_cast<size_t>(y) * width + x];
            varied = varied || expected != (drawn.Pixels()[0] & 0xffffff);
            if (seen == expected)
                continue;
            ++differing;
            for (int shift : {0, 8, 16})
                largest = std::max(largest, std::abs(static_cast<int>((seen >> shift) & 0xff) -
                                                     static_cast<int>((expected >> shift) & 0xff)));
        }
    }
    EXPECT_TRUE(varied) << "the headless panel drew something";
    EXPECT_EQ(differing, 0) << "largest channel difference " << largest;
}

}  // namespace
}  // namespace wintest
