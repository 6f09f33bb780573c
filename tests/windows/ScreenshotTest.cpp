// What the editor window shows on screen is what the panel draws without a
// window (the plug-in's headless render, asked for through its vendor
// request 'ORVs'), also after the host has moved a parameter and the redraw
// timer has caught up.
#include "tests/windows/EditorFixture.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

namespace wintest {
namespace {

constexpr int kWidth = 608;
constexpr int kHeight = 352;
constexpr int32_t kSnapshotRequest = vst::FourCC('O', 'R', 'V', 's');
constexpr int kVivid = 3;
constexpr int kVariationX = 1;
constexpr DWORD kTicks = 200;  // the first paint and a few timer ticks

using Pixels = std::vector<uint32_t>;  // 0x00RRGGBB, row by row

// The window's pixels as the screen holds them.
Pixels Screenshot(HWND window)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, dib);
    HDC screen = GetDC(window);
    BitBlt(memory, 0, 0, kWidth, kHeight, screen, 0, 0, SRCCOPY);
    ReleaseDC(window, screen);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    Pixels shot(pixels, pixels + kWidth * kHeight);
    SelectObject(memory, previous);
    DeleteObject(dib);
    DeleteDC(memory);
    for (uint32_t& pixel : shot)
        pixel &= 0xffffff;
    return shot;
}

// The panel drawn headless by the plug-in, as RGBA bytes.
Pixels HeadlessRender(hosttest::HostedPlugin& plugin)
{
    std::vector<uint8_t> rgba(static_cast<size_t>(kWidth) * kHeight * 4);
    if (plugin.Dispatch(vst::effVendorSpecific, kSnapshotRequest, static_cast<intptr_t>(rgba.size()), rgba.data()) != 1)
        return {};
    Pixels render(static_cast<size_t>(kWidth) * kHeight);
    for (size_t i = 0; i < render.size(); ++i)
        render[i] = uint32_t{rgba[4 * i]} << 16 | uint32_t{rgba[4 * i + 1]} << 8 | rgba[4 * i + 2];
    return render;
}

TEST(EditorScreenshot, TheWindowShowsWhatThePanelDrawsHeadless)
{
    EditorInHost shown;
    ASSERT_LOADED(shown.plugin);
    ASSERT_EQ(shown.Open(), 1);
    vst::AEffect* effect = shown.plugin.effect;
    // As the program left them, then after the host moved a fader and the
    // pad's ball. The balls find their places on the host's idle calls.
    for (float value : {-1.0f, 0.9f}) {
        if (value >= 0.0f) {
            effect->setParameter(effect, kVivid, value);
            effect->setParameter(effect, kVariationX, value);
        }
        shown.plugin.Dispatch(vst::effEditIdle);
        PumpMessages(kTicks);
        const Pixels shot = Screenshot(shown.Editor());
        const Pixels render = HeadlessRender(shown.plugin);
        ASSERT_EQ(render.size(), shot.size());
        int differing = 0;
        int largest = 0;
        for (size_t i = 0; i < shot.size(); ++i) {
            if (shot[i] == render[i])
                continue;
            ++differing;
            for (int shift : {0, 8, 16})
                largest = std::max(largest, std::abs(static_cast<int>((shot[i] >> shift) & 0xff) -
                                                     static_cast<int>((render[i] >> shift) & 0xff)));
        }
        EXPECT_EQ(differing, 0) << "largest channel difference " << largest << " (value " << value << ")";
        EXPECT_NE(std::count(render.begin(), render.end(), render[0]), static_cast<long>(render.size()))
            << "the panel is drawn";
    }
}

}  // namespace
}  // namespace wintest
